// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions and file dialogs of the document commands, behind an interface so that
// tests can answer them without a modal window.
#include "transfer/file_transfer.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

namespace sifter {

class UserPrompts {
public:
    enum class SaveChoice { kSave, kDiscard, kCancel };

    virtual ~UserPrompts() = default;
    // Yes / No / Cancel on the question text.
    virtual SaveChoice AskSaveChanges(const QString &question) = 0;
    // A result file to open; nothing when cancelled. filter uses ";;" between entries.
    virtual std::optional<QString> AskOpenPath(const QString &title, const QString &filter) = 0;
    // Where to save: proposed is a file name or path; suffix (no dot) is added to a name
    // typed without one. Nothing when cancelled.
    virtual std::optional<QString> AskSavePath(const QString &title, const QString &proposed,
                                               const QString &filter, const QString &suffix) = 0;
    virtual void ShowError(const QString &text) = 0;
    // Yes / No on the question text (question icon); true only for Yes.
    virtual bool AskYesNo(const QString &question) = 0;
    // Yes / No on a question whose Yes cannot be undone (warning icon, No answers Enter);
    // true only for Yes.
    virtual bool AskWarningYesNo(const QString &question) = 0;
    // AskWarningYesNo with a check box (kApplyToAllSuch, unticked) whose state lands in
    // applyToAll, for a question that may come again for the items that follow.
    virtual bool AskWarningYesNoForAll(const QString &question, bool &applyToAll) = 0;
    // The text in an information box with OK.
    virtual void ShowInformation(const QString &text) = 0;
    // A copy or move found an item called name already in folder (a folder itself when
    // isFolder): Replace (merge folders), Skip, Rename (keep both) or Cancel. applyToAll is
    // set when the answer is to hold for the conflicts that follow.
    virtual ConflictAnswer AskNameConflict(const QString &name, const QString &folder, bool isFolder,
                                           bool &applyToAll) = 0;
};

// An answer that, once the user gave it for all, holds for the questions of its kind that
// follow.
struct AnswerForAll {
    bool given = false;
    bool yes = false;
};

// The answer for all when one was given; else asks (offering "for all" when moreToCome) and
// keeps the answer in all when the user gave it for all.
bool AskWarningYesNoOnce(UserPrompts &prompts, AnswerForAll &all, const QString &question, bool moreToCome);

// The Qt message boxes and file dialogs, owned by the given window (may be null). A file
// dialog opens in the folder of the last file chosen in this session, else in the home folder.
class DialogPrompts final : public UserPrompts {
public:
    // The window that owns the dialogs (none: they stand alone). Kept as a guarded pointer.
    void SetOwner(QWidget *owner) { owner_ = owner; }

    SaveChoice AskSaveChanges(const QString &question) override;
    std::optional<QString> AskOpenPath(const QString &title, const QString &filter) override;
    std::optional<QString> AskSavePath(const QString &title, const QString &proposed, const QString &filter,
                                       const QString &suffix) override;
    void ShowError(const QString &text) override;
    bool AskYesNo(const QString &question) override;
    bool AskWarningYesNo(const QString &question) override;
    bool AskWarningYesNoForAll(const QString &question, bool &applyToAll) override;
    void ShowInformation(const QString &text) override;
    ConflictAnswer AskNameConflict(const QString &name, const QString &folder, bool isFolder,
                                   bool &applyToAll) override;

private:
    QWidget *Owner() const { return owner_.data(); }
    QString StartFolder() const;

    QPointer<QWidget> owner_;
    QString lastFolder_;
};

} // namespace sifter
