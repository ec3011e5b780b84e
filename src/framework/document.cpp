// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/document.h"

#include "framework/document_view.h"
#include "framework/single_doc_template.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "res/resource_ids.h"

#include <QFileInfo>

#include <algorithm>

namespace sifter {

Document::Document()
{
    OnCommand(cmd::kFileSave, [this] { DoFileSave(); });
    OnCommand(cmd::kFileSaveAs, [this] { DoSave(QString()); });
}

Document::~Document() = default;

void Document::SetTitle(const QString &title)
{
    title_ = title;
    emit TitleChanged(title_);
}

void Document::SetPathName(const QString &path, bool addToRecent)
{
    const QFileInfo info(path);
    pathName_ = info.absoluteFilePath();
    SetTitle(info.fileName());
    if (addToRecent && template_)
        template_->AddToRecentFiles(pathName_);
}

void Document::SetModifiedFlag(bool modified)
{
    modified_ = modified;
}

bool Document::OnNewDocument()
{
    DeleteContents();
    pathName_.clear();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const QString &path)
{
    DeleteContents();
    // Marked modified while reading: a failed read leaves a document that no longer holds
    // what it held, and the template then starts a new one.
    SetModifiedFlag(true);
    if (!ReadDocument(path))
        return false;
    SetModifiedFlag(false);
    return true;
}

bool Document::OnSaveDocument(const QString &path)
{
    if (!WriteDocument(path)) {
        if (template_)
            template_->Prompts().ShowError(FormatResString(str::kFailedToSave, path));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

QString Document::ProposedFileName() const
{
    QString name = title_;
    const QString extension = template_ ? template_->DocString(DocStringField::kFilterExt) : QString();
    if (!extension.isEmpty())
        name += extension;
    return name;
}

bool Document::SaveModified()
{
    if (!modified_)
        return true;
    const QString name = pathName_.isEmpty() ? title_ : QFileInfo(pathName_).fileName();
    if (!template_)
        return false;
    switch (template_->Prompts().AskSaveChanges(FormatResString(str::kAskToSave, name))) {
    case UserPrompts::SaveChoice::kCancel:
        return false;
    case UserPrompts::SaveChoice::kSave:
        return DoFileSave();
    case UserPrompts::SaveChoice::kDiscard:
        return true;
    }
    return false;
}

bool Document::DoSave(const QString &path, bool replace)
{
    QString target = path;
    if (target.isEmpty()) {
        if (!template_)
            return false;
        const QString proposed = pathName_.isEmpty() ? ProposedFileName() : pathName_;
        QString suffix = template_->DocString(DocStringField::kFilterExt);
        if (suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        const auto chosen = template_->Prompts().AskSavePath(LoadResString(str::kSaveAsTitle), proposed,
                                                             template_->FileDialogFilter(), suffix);
        if (!chosen)
            return false;
        target = *chosen;
    }
    // A failed write leaves nothing behind and an existing file as it was (WriteDocument
    // replaces files atomically), so nothing needs deleting here.
    if (!OnSaveDocument(target))
        return false;
    if (replace)
        SetPathName(target);
    return true;
}

bool Document::DoFileSave()
{
    if (pathName_.isEmpty())
        return DoSave(QString());
    const QFileInfo info(pathName_);
    if (info.exists() && !info.isWritable())
        return DoSave(QString());
    return DoSave(pathName_);
}

void Document::AddView(DocumentView *view)
{
    if (view && std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void Document::RemoveView(DocumentView *view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void Document::UpdateAllViews(DocumentView *sender)
{
    // A copy: a view may detach itself while it updates.
    const std::vector<DocumentView *> views = views_;
    for (DocumentView *view : views) {
        if (view != sender)
            view->OnUpdate(sender);
    }
}

} // namespace sifter
