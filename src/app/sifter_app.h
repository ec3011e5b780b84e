// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSifterApp: the application. It owns the three search histories and the layout
// settings, registers the document template (CSifterDoc, CMainFrame, CLeftView beside
// CSifterView), opens the result file of the command line or a new document, applies the
// folder option, tells about settings files that had to be set aside, and at exit saves
// the settings. It also answers About, Web Site and Online Help.
#include "app/accessibility_bus_guard.h"
#include "framework/application.h"
#include "res/resource_ids.h"
#include "stores/layout_settings.h"
#include "stores/search_history.h"

#include <QStringList>
#include <QUrl>

#include <functional>
#include <string>
#include <vector>

namespace sifter {

class CMainFrame;
class CSifterDoc;

// The user guide as the program in programFolder finds it: where installing puts it (the
// docs folder of the program's prefix), else beside the program (a build folder); the
// installed place when neither holds it.
QString FindUserGuide(const QString &programFolder);

class CSifterApp : public Application {
public:
    // arguments: the command line, the program's name first.
    explicit CSifterApp(QStringList arguments);
    ~CSifterApp() override;

    // Registry root, recent files, layout settings, histories (words, names, folders),
    // template, command line, folder option, then shows the main window, names settings
    // files set aside, and lets SIGTERM and SIGHUP close it. False when no main window
    // could be made.
    bool InitInstance() override;
    // Gives up the clipboard source (the clipboard keeps its data), saves the layout
    // settings, then the recent files.
    int ExitInstance(int code) override;

    LayoutSettings &Settings() { return settings_; }
    CSearchHistory &WordsHistory() { return wordsHistory_; }
    CSearchHistory &NamesHistory() { return namesHistory_; }
    CSearchHistory &FoldersHistory() { return foldersHistory_; }
    CSearchHistory &ExcludesHistory() { return excludesHistory_; }

    CMainFrame *Frame() const;
    CSifterDoc *Doc() const;

    // The help hook: opens the online-help address whatever was asked.
    void OnHelp() override;
    void OpenWebSite();
    void OnAppAbout();

    // The user guide that ships with the program, as a file URL.
    QString OnlineHelpAddress() const;
    QString WebSiteAddress() const;

    // Whether InitInstance shows the main window (default true).
    void SetShowMainWindow(bool show) { showMainWindow_ = show; }

private:
    void ApplyFolderOption();
    // Settings files named in one message of the string id ("%1" the files): those the
    // store set aside or left alone while loading (a program started from a menu has no
    // terminal for the store's own warnings).
    void TellSettingsFiles(StringId id, const std::vector<std::string> &files);
    void OpenAddress(const QString &address);

    QStringList arguments_;
    CSearchHistory wordsHistory_;
    CSearchHistory namesHistory_;
    CSearchHistory foldersHistory_;
    CSearchHistory excludesHistory_;
    LayoutSettings settings_;
    // Keeps a screen reader's GetAll from crashing the program (accessibility_bus_guard.h).
    AccessibilityBusGuard accessibilityGuard_;
    bool showMainWindow_ = true;
};

} // namespace sifter
