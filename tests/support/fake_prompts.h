// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the document commands' questions and file dialogs without a window, and
// records what was asked.
#include "framework/user_prompts.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sifter::test {

class FakePrompts final : public UserPrompts {
public:
    SaveChoice saveAnswer = SaveChoice::kDiscard;
    std::optional<QString> openAnswer;
    std::optional<QString> saveAnswerPath;

    QStringList questions;
    QStringList openFilters;
    QStringList proposedNames;
    QStringList saveFilters;
    QStringList saveSuffixes;
    QStringList errors;
    bool yesNoAnswer = false;
    QStringList yesNoQuestions;
    QStringList informations;
    // Each warning question takes the next answer; No once they run out.
    QList<bool> warningAnswers;
    QStringList warningQuestions;

    SaveChoice AskSaveChanges(const QString &question) override
    {
        questions.append(question);
        return saveAnswer;
    }
    std::optional<QString> AskOpenPath(const QString &, const QString &filter) override
    {
        openFilters.append(filter);
        return openAnswer;
    }
    std::optional<QString> AskSavePath(const QString &, const QString &proposed, const QString &filter,
                                       const QString &suffix) override
    {
        proposedNames.append(proposed);
        saveFilters.append(filter);
        saveSuffixes.append(suffix);
        return saveAnswerPath;
    }
    void ShowError(const QString &text) override { errors.append(text); }
    bool AskYesNo(const QString &question) override
    {
        yesNoQuestions.append(question);
        return yesNoAnswer;
    }
    bool AskWarningYesNo(const QString &question) override
    {
        warningQuestions.append(question);
        return !warningAnswers.isEmpty() && warningAnswers.takeFirst();
    }
    // Each takes the next warning answer, and the next applyToAll (false once they run out);
    // the question is recorded with the warning questions.
    QList<bool> warningApplyToAll;
    bool AskWarningYesNoForAll(const QString &question, bool &applyToAll) override
    {
        applyToAll = !warningApplyToAll.isEmpty() && warningApplyToAll.takeFirst();
        return AskWarningYesNo(question);
    }
    void ShowInformation(const QString &text) override { informations.append(text); }
    // Each name conflict takes the next answer (kCancel once they run out) and, with it,
    // the next applyToAll (false once they run out); each is recorded as "name|folder|file"
    // ("...|folder" for a folder).
    QList<ConflictAnswer> conflictAnswers;
    QList<bool> conflictApplyToAll;
    QStringList conflictQuestions;
    ConflictAnswer AskNameConflict(const QString &name, const QString &folder, bool isFolder,
                                   bool &applyToAll) override
    {
        conflictQuestions.append(name + QLatin1Char('|') + folder + QLatin1Char('|') +
                                 (isFolder ? QStringLiteral("folder") : QStringLiteral("file")));
        applyToAll = !conflictApplyToAll.isEmpty() && conflictApplyToAll.takeFirst();
        return conflictAnswers.isEmpty() ? ConflictAnswer::kCancel : conflictAnswers.takeFirst();
    }
};

} // namespace sifter::test
