// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/user_prompts.h"

#include "framework/name_conflict_dialog.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace sifter {
namespace {

// A message box wraps its text to at most about 500 pixels (1000 on wide screens): about
// fifteen lines of this many characters stay well within any screen's height, while a
// 44 KB path made the box taller than the screen and pushed its buttons off it.
constexpr qsizetype kMessageTextLimit = 1000;

// The text a message box shows: its start and end when it is longer than the limit.
QString MessageText(const QString &text)
{
    return BoundedText(text, kMessageTextLimit);
}

} // namespace

UserPrompts::SaveChoice DialogPrompts::AskSaveChanges(const QString &question)
{
    const auto answer = QMessageBox::question(Owner(), LoadResString(str::kAppName), MessageText(question),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return SaveChoice::kSave;
    if (answer == QMessageBox::No)
        return SaveChoice::kDiscard;
    return SaveChoice::kCancel;
}

std::optional<QString> DialogPrompts::AskOpenPath(const QString &title, const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(Owner(), title, StartFolder(), filter);
    if (path.isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> DialogPrompts::AskSavePath(const QString &title, const QString &proposed, const QString &filter,
                                                  const QString &suffix)
{
    QFileDialog dialog(Owner(), title, StartFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isEmpty()) {
        const QFileInfo info(proposed);
        if (info.isAbsolute())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void DialogPrompts::ShowError(const QString &text)
{
    QMessageBox::warning(Owner(), LoadResString(str::kAppName), MessageText(text));
}

bool DialogPrompts::AskYesNo(const QString &question)
{
    return QMessageBox::question(Owner(), LoadResString(str::kAppName), MessageText(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool DialogPrompts::AskWarningYesNo(const QString &question)
{
    return QMessageBox::warning(Owner(), LoadResString(str::kAppName), MessageText(question),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool AskWarningYesNoOnce(UserPrompts &prompts, AnswerForAll &all, const QString &question, bool moreToCome)
{
    if (all.given)
        return all.yes;
    bool applyToAll = false;
    const bool yes = moreToCome ? prompts.AskWarningYesNoForAll(question, applyToAll) : prompts.AskWarningYesNo(question);
    if (applyToAll)
        all = {true, yes};
    return yes;
}

bool DialogPrompts::AskWarningYesNoForAll(const QString &question, bool &applyToAll)
{
    QMessageBox box(QMessageBox::Warning, LoadResString(str::kAppName), MessageText(question),
                    QMessageBox::Yes | QMessageBox::No, Owner());
    box.setDefaultButton(QMessageBox::No);
    auto *forAll = new QCheckBox(LoadResString(str::kApplyToAllSuch), &box);
    box.setCheckBox(forAll);
    const bool yes = box.exec() == QMessageBox::Yes;
    applyToAll = forAll->isChecked();
    return yes;
}

void DialogPrompts::ShowInformation(const QString &text)
{
    QMessageBox::information(Owner(), LoadResString(str::kAppName), MessageText(text));
}

ConflictAnswer DialogPrompts::AskNameConflict(const QString &name, const QString &folder, bool isFolder,
                                              bool &applyToAll)
{
    // Over whatever modal window is up (the progress window), so it is not hidden behind it.
    QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : Owner();
    NameConflictDialog dialog(BoundedText(name, kMessageTextLimit / 2), BoundedText(folder, kMessageTextLimit / 2),
                              isFolder, owner);
    dialog.exec();
    applyToAll = dialog.Answer() != ConflictAnswer::kCancel && dialog.ApplyToAll();
    return dialog.Answer();
}

QString DialogPrompts::StartFolder() const
{
    return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

} // namespace sifter
