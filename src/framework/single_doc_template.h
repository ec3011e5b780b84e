// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-document template: the document string, and the one document with its one
// frame, which it creates on first use and renews or refills afterwards.
#include "framework/string_resources.h"

#include <QString>

#include <functional>
#include <memory>

namespace sifter {

class Application;
class Document;
class FrameWindow;
class UserPrompts;

class SingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    // Makes the frame for the document (not yet created as a window).
    using FrameFactory = std::function<std::unique_ptr<FrameWindow>(Document &)>;

    SingleDocTemplate(Application &app, StringId docStringId, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate &) = delete;
    SingleDocTemplate &operator=(const SingleDocTemplate &) = delete;

    Application &App() const { return app_; }
    QString DocString(DocStringField field) const;
    // The file dialogs' filter: the template's filter, then all files.
    QString FileDialogFilter() const;
    UserPrompts &Prompts() const;
    void AddToRecentFiles(const QString &path) const;

    Document *TheDocument() const { return document_.get(); }
    FrameWindow *TheFrame() const { return frame_.get(); }

    // How the last OpenDocumentFile ended.
    enum class OpenOutcome { kOpened, kRefused, kCancelled, kFailed };
    OpenOutcome LastOutcome() const { return lastOutcome_; }

    // An empty path makes a new document, any other opens that file. The first call also
    // makes the document and its frame. Null when refused (the document is busy), when the
    // user cancels the save question, or when the file cannot be opened; a failed open
    // leaves an existing document as it was, and on the first call destroys what it made.
    Document *OpenDocumentFile(const QString &path, bool addToRecent = true);
    // Gives the document the base name of the document string as its title.
    void SetDefaultTitle(Document &document) const;
    // Destroys the frame, then the document.
    void CloseAll();

private:
    bool CreateDocumentAndFrame();

    Application &app_;
    QString docString_;
    DocumentFactory makeDocument_;
    FrameFactory makeFrame_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<FrameWindow> frame_;
    OpenOutcome lastOutcome_ = OpenOutcome::kOpened;
};

} // namespace sifter
