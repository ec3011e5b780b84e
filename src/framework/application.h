// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application of the document commands: the registry root and its store, the recent
// files, the one document template, and the application's commands (new, open, recent
// files, exit, help), also reached by SIGTERM and SIGHUP. A program derives from it and
// orders its start-up and exit.
#include "framework/command_target.h"
#include "framework/recent_file_list.h"
#include "framework/single_doc_template.h"
#include "framework/user_prompts.h"

#include <QMimeData>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

#include <memory>
#include <string>

namespace sifter {

class Document;
class FrameWindow;
class RegistryStore;
class TerminationSignals;

class Application : public CommandTarget {
public:
    // appName is the program's name, the last part of its registry root.
    explicit Application(std::string appName);
    ~Application() override;
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Start-up; false ends the program.
    virtual bool InitInstance() = 0;
    // Exit, after the main window has gone; returns the exit code. The base writes the
    // recent-file list.
    virtual int ExitInstance(int code);

    // The registry root becomes Software\<company>\<app name> below HKEY_CURRENT_USER, in
    // the store of the user's configuration folder.
    void SetRegistryKey(const std::string &company);
    // Uses a store in the given folder instead of the user's (tests).
    void SetRegistryFolder(const std::string &folder);
    const std::string &ProfileKey() const { return profileKey_; }
    RegistryStore &Store();

    // Makes the recent-file list with that many entries and reads it from the registry root.
    void LoadStdProfileSettings(int recentFileCount);
    RecentFileList &RecentFiles() { return recentFiles_; }

    void AddDocTemplate(std::unique_ptr<SingleDocTemplate> documentTemplate);
    SingleDocTemplate *DocTemplate() const { return template_.get(); }
    Document *TheDocument() const;
    FrameWindow *MainWindow() const;

    UserPrompts &Prompts() { return *prompts_; }
    // Replaces the questions and file dialogs (tests answer them themselves).
    void SetPrompts(std::unique_ptr<UserPrompts> prompts);

    // How addresses and files are handed to the desktop (default: its handler, through
    // QDesktopServices); tests record them instead.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
    // True when the opener took the address (a launcher started; not that a program was found).
    bool OpenUrl(const QUrl &url) const { return openUrl_ && openUrl_(url); }

    // The data object of the last Cut or Copy, while the clipboard still owns it (it becomes
    // null when the clipboard lets it go); null when none was put there or it was given up.
    QMimeData *ClipboardSource() const { return clipboardSource_; }
    // Records data, which the clipboard owns, as the clipboard source; null gives it up.
    void SetClipboardSource(QMimeData *data) { clipboardSource_ = data; }

    // Opens the file as the document (a new document for an empty path). A file that is
    // already the document is left as it is. Null when refused, cancelled or failed.
    Document *OpenDocumentFile(const QString &path);

    // From now on SIGTERM and SIGHUP close the program as Exit does (a run is stopped first,
    // the exit work is done), except that no one is asked to save: an open dialog is
    // cancelled and the document's changes are dropped. The default handlers come back
    // when the application goes.
    void WatchTerminationSignals();

    // Command handlers, reachable also from code.
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(CommandId id);
    void OnAppExit();
    // The help hook of Help > Online Help (F1).
    virtual void OnHelp() {}

private:
    // One step of the close a signal asked for; it comes back until nothing holds it up.
    void CloseForSignal();

    std::string appName_;
    std::string profileKey_;
    std::string storeFolder_;
    std::unique_ptr<RegistryStore> store_;
    RecentFileList recentFiles_{0};
    std::unique_ptr<UserPrompts> prompts_;
    UrlOpener openUrl_;
    QPointer<QMimeData> clipboardSource_;
    DialogPrompts *dialogPrompts_ = nullptr;  // prompts_ while it is the Qt one
    std::unique_ptr<SingleDocTemplate> template_;
    bool closingForSignal_ = false;
    std::unique_ptr<TerminationSignals> terminationSignals_;
};

} // namespace sifter
