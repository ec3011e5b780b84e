// SPDX-License-Identifier: GPL-3.0-or-later
// The name-conflict question of copy and move, asked through the Qt prompts: each of its
// four buttons and its check box give the transfer its answer.
#include "framework/name_conflict_dialog.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace sifter {
namespace {

// Asks through DialogPrompts; once the dialog is up, act answers it.
ConflictAnswer Ask(bool isFolder, bool &applyToAll, const std::function<void(NameConflictDialog &)> &act,
                   QString *question = nullptr)
{
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<NameConflictDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (question)
            *question = dialog->findChild<QLabel *>(QStringLiteral("question"))->text();
        act(*dialog);
    });
    DialogPrompts prompts;
    return prompts.AskNameConflict(QStringLiteral("report \"final\".txt"), QStringLiteral("/home/me/<b>dest</b>"),
                                   isFolder, applyToAll);
}

class NameConflictAnswerTest : public ::testing::TestWithParam<std::tuple<ConflictAnswer, bool>> {};

TEST_P(NameConflictAnswerTest, TheButtonAndTheCheckBoxGiveTheAnswer)
{
    const auto [answer, checked] = GetParam();
    bool applyToAll = !checked;
    const ConflictAnswer given = Ask(false, applyToAll, [&](NameConflictDialog &dialog) {
        if (checked)
            dialog.ApplyToAllBox()->click();
        QTest::mouseClick(dialog.Button(answer), Qt::LeftButton);
    });
    EXPECT_EQ(given, answer);
    // Cancel ends the transfer: there is nothing that follows for the box to apply to.
    EXPECT_EQ(applyToAll, checked && answer != ConflictAnswer::kCancel);
}

std::string AnswerCaseName(const ::testing::TestParamInfo<NameConflictAnswerTest::ParamType> &param)
{
    static constexpr const char *kAnswers[] = {"Replace", "Skip", "Rename", "Cancel"};
    return std::string(kAnswers[static_cast<int>(std::get<0>(param.param))]) +
           (std::get<1>(param.param) ? "ToAll" : "Once");
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, NameConflictAnswerTest,
                         ::testing::Combine(::testing::Values(ConflictAnswer::kReplace, ConflictAnswer::kSkip,
                                                              ConflictAnswer::kRename, ConflictAnswer::kCancel),
                                            ::testing::Bool()),
                         AnswerCaseName);

TEST(NameConflictDialogTest, TheQuestionNamesTheFileAndTheFolderAsTheyAre)
{
    bool applyToAll = false;
    QString question;
    Ask(false, applyToAll, [](NameConflictDialog &dialog) { dialog.Button(ConflictAnswer::kSkip)->click(); },
        &question);
    EXPECT_EQ(question, QStringLiteral("A file named \"report \"final\".txt\" already exists in \"/home/me/<b>dest</b>\"."));
}

TEST(NameConflictDialogTest, ForTwoFoldersReplaceIsMerge)
{
    bool applyToAll = false;
    QString question;
    QString replaceText;
    const ConflictAnswer answer = Ask(
        true, applyToAll,
        [&](NameConflictDialog &dialog) {
            replaceText = dialog.Button(ConflictAnswer::kReplace)->text();
            dialog.Button(ConflictAnswer::kReplace)->click();
        },
        &question);
    EXPECT_EQ(answer, ConflictAnswer::kReplace);
    EXPECT_EQ(replaceText, LoadResString(str::kConflictMerge));
    EXPECT_TRUE(question.startsWith(QStringLiteral("A folder named")));
}

TEST(NameConflictDialogTest, EnterSkipsAndEscapeCancels)
{
    bool applyToAll = false;
    EXPECT_EQ(Ask(false, applyToAll, [](NameConflictDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }),
              ConflictAnswer::kSkip);
    EXPECT_EQ(Ask(false, applyToAll, [](NameConflictDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }),
              ConflictAnswer::kCancel);
}

} // namespace
} // namespace sifter
