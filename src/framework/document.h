// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document of the document commands: title, path, modified flag, its views, and the
// new / open / save / save as / save-changes behaviour. A derived class reads and writes
// its contents (ReadDocument, WriteDocument) and resets them (DeleteContents).
#include "framework/command_target.h"

#include <QObject>
#include <QString>

#include <vector>

namespace sifter {

class DocumentView;
class SingleDocTemplate;

class Document : public QObject, public CommandTarget {
    Q_OBJECT

public:
    Document();
    ~Document() override;

    // The template that made the document (its strings, prompts and recent files); may be
    // null for a document made on its own.
    SingleDocTemplate *Template() const { return template_; }
    void SetTemplate(SingleDocTemplate *documentTemplate) { template_ = documentTemplate; }

    const QString &Title() const { return title_; }
    virtual void SetTitle(const QString &title);
    // The absolute path of the file the document was read from or saved to; empty if none.
    const QString &PathName() const { return pathName_; }
    // Sets the path (made absolute), takes the title from its file name and, when asked,
    // records it among the recent files.
    virtual void SetPathName(const QString &path, bool addToRecent = true);

    bool IsModified() const { return modified_; }
    virtual void SetModifiedFlag(bool modified = true);
    // True while the contents are in use and must not be reset (new, open refuse then).
    virtual bool IsBusy() const { return false; }

    // A new document: contents reset, no path, not modified. False refuses.
    virtual bool OnNewDocument();
    // Contents reset and read from the file; false when the file cannot be used.
    virtual bool OnOpenDocument(const QString &path);
    // Contents written to the file; on failure the user is told and false returned.
    virtual bool OnSaveDocument(const QString &path);
    // Frees the contents (run before a new document and before a file is read).
    virtual void DeleteContents() {}

    // The save-with-a-new-name dialog's proposed name for a document without a path.
    virtual QString ProposedFileName() const;
    // Asks "Save changes to %1?" when modified; false when the user cancels or saving fails.
    bool SaveModified();
    // Saves to path, or asks for a path when it is empty; replace makes the saved path the
    // document's path. False when cancelled or failed.
    bool DoSave(const QString &path, bool replace = true);
    // Save: to the document's path, or as a new name when it has none or cannot be written.
    bool DoFileSave();

    void AddView(DocumentView *view);
    void RemoveView(DocumentView *view);
    const std::vector<DocumentView *> &Views() const { return views_; }
    // Tells every view but the sender that the contents changed.
    void UpdateAllViews(DocumentView *sender);

signals:
    void TitleChanged(const QString &title);

protected:
    // Reads the contents from the file; false when the file cannot be read.
    virtual bool ReadDocument(const QString &path) = 0;
    // Writes the contents to the file; false on any failure (the file is then left as it was).
    virtual bool WriteDocument(const QString &path) = 0;

private:
    SingleDocTemplate *template_ = nullptr;
    QString title_;
    QString pathName_;
    bool modified_ = false;
    std::vector<DocumentView *> views_;
};

} // namespace sifter
