// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/single_doc_template.h"

#include "framework/application.h"
#include "framework/document.h"
#include "framework/frame_window.h"
#include "framework/user_prompts.h"

namespace sifter {

SingleDocTemplate::SingleDocTemplate(Application &app, StringId docStringId, DocumentFactory makeDocument,
                                     FrameFactory makeFrame)
    : app_(app), docString_(LoadResString(docStringId)), makeDocument_(std::move(makeDocument)),
      makeFrame_(std::move(makeFrame))
{
}

SingleDocTemplate::~SingleDocTemplate()
{
    CloseAll();
}

QString SingleDocTemplate::DocString(DocStringField field) const
{
    return DocStringPart(docString_, field);
}

QString SingleDocTemplate::FileDialogFilter() const
{
    const QString own = DocString(DocStringField::kFilterName);
    const QString all = LoadResString(str::kAllFilesFilter);
    return own.isEmpty() ? all : own + QStringLiteral(";;") + all;
}

UserPrompts &SingleDocTemplate::Prompts() const
{
    return app_.Prompts();
}

void SingleDocTemplate::AddToRecentFiles(const QString &path) const
{
    app_.RecentFiles().Add(path);
}

void SingleDocTemplate::SetDefaultTitle(Document &document) const
{
    document.SetTitle(DocString(DocStringField::kDocName));
}

bool SingleDocTemplate::CreateDocumentAndFrame()
{
    document_ = makeDocument_();
    if (!document_)
        return false;
    document_->SetTemplate(this);
    frame_ = makeFrame_(*document_);
    if (!frame_ || !frame_->CreateFrame()) {
        CloseAll();
        return false;
    }
    return true;
}

Document *SingleDocTemplate::OpenDocumentFile(const QString &path, bool addToRecent)
{
    lastOutcome_ = OpenOutcome::kFailed;
    bool created = false;
    if (!document_) {
        if (!CreateDocumentAndFrame())
            return nullptr;
        created = true;
    } else {
        // Renewing the contents while a search run walks them would free records in use.
        if (document_->IsBusy()) {
            lastOutcome_ = OpenOutcome::kRefused;
            return nullptr;
        }
        if (!document_->SaveModified()) {
            lastOutcome_ = OpenOutcome::kCancelled;
            return nullptr;
        }
    }

    if (path.isEmpty()) {
        SetDefaultTitle(*document_);
        if (!document_->OnNewDocument()) {
            if (created)
                CloseAll();
            return nullptr;
        }
    } else {
        const bool wasModified = document_->IsModified();
        document_->SetModifiedFlag(false);
        if (!document_->OnOpenDocument(path)) {
            if (created) {
                CloseAll();
            } else if (!document_->IsModified()) {
                // Refused before anything was read: the document is as it was.
                document_->SetModifiedFlag(wasModified);
            } else {
                // The contents were partly replaced; start over with a new document.
                SetDefaultTitle(*document_);
                document_->OnNewDocument();
                frame_->InitialUpdateFrame();
            }
            return nullptr;
        }
        document_->SetPathName(path, addToRecent);
    }
    frame_->InitialUpdateFrame();
    lastOutcome_ = OpenOutcome::kOpened;
    return document_.get();
}

void SingleDocTemplate::CloseAll()
{
    frame_.reset();
    document_.reset();
}

} // namespace sifter
