// SPDX-License-Identifier: GPL-3.0-or-later
// Delete on the results list's selection: to the Trash of a temporary data home, or for good
// after its own question, and the selected rows whose files went.
#include "fileops/delete_command.h"
#include "frame/banner_status_bar.h"
#include "framework/command_actions.h"
#include "fs/file_attributes.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/found_records.h"
#include "support/scoped_env.h"
#include "support/sifter_app_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QItemSelectionModel>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace sifter::test {
namespace {

class DeleteCommandTest : public SifterAppFixture {
protected:
    QStringList SelectedLabels()
    {
        QStringList labels;
        for (const auto &[row, record] : List().SelectedRows())
            labels.append(List().Model().index(row, 0).data().toString());
        return labels;
    }

    std::string FilePath(const std::string &name) { return tree.Path("files/" + name); }
    bool Exists(const std::string &path) { return access(path.c_str(), F_OK) == 0; }
    bool InTrash(const std::string &name)
    {
        return Exists(tree.Path("data/Trash/files/" + name)) &&
               Exists(tree.Path("data/Trash/info/" + name + ".trashinfo"));
    }

private:
    const ScopedEnv dataHome_{"XDG_DATA_HOME", tree.MakeFolder("data").c_str()};
};

TEST_F(DeleteCommandTest, NeedsASelectedRow)
{
    StartWithFiles({"a", "b"});
    Select({});
    EXPECT_FALSE(Enabled(cmd::kDelete));
    Select({0});
    EXPECT_TRUE(Enabled(cmd::kDelete));
    Select({0, 1});
    EXPECT_TRUE(Enabled(cmd::kDelete));
}

TEST_F(DeleteCommandTest, ConfirmedDeleteMovesTheFileToTheTrashAndItsRowGoes)
{
    const std::string name = "-a name\nwith blanks";
    StartWithFiles({"first", name, "last"});
    prompts->yesNoAnswer = true;
    Select({1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    ASSERT_EQ(prompts->yesNoQuestions.size(), 1);
    EXPECT_TRUE(prompts->yesNoQuestions[0].contains(QString::fromStdString(name)));
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    EXPECT_FALSE(Exists(FilePath(name)));
    EXPECT_TRUE(InTrash(name));
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("first"), QStringLiteral("last")}));
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 2u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(prompts->errors.isEmpty());
    // The status bar counts what is left.
    EXPECT_EQ(Frame().StatusBarPanes()->MessageText(), QStringLiteral("2 objects"));
}

TEST_F(DeleteCommandTest, TheQuestionCountsSeveralFilesAndNoKeepsThem)
{
    StartWithFiles({"a", "folder/", "c"});
    prompts->yesNoAnswer = false;
    Select({0, 1, 2});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    ASSERT_EQ(prompts->yesNoQuestions.size(), 1);
    EXPECT_TRUE(prompts->yesNoQuestions[0].contains(QStringLiteral("3")));
    EXPECT_TRUE(Exists(FilePath("a")) && Exists(FilePath("folder/inner/deep.txt")) && Exists(FilePath("c")));
    EXPECT_EQ(List().ItemCount(), 3);
    EXPECT_FALSE(Doc().IsModified());

    prompts->yesNoAnswer = true;
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    EXPECT_TRUE(InTrash("a") && InTrash("folder") && InTrash("c"));
    EXPECT_TRUE(Exists(tree.Path("data/Trash/files/folder/inner/deep.txt")));
    EXPECT_EQ(List().ItemCount(), 0);
}

TEST_F(DeleteCommandTest, DeletingForGoodAsksItsOwnQuestionAndNoKeepsTheFile)
{
    StartWithFiles({"a", "folder/"});
    prompts->yesNoAnswer = true;  // the Trash's question must not be the one that decides
    Select({0, 1});
    DeleteSelectedFiles(List(), *app, true);
    ASSERT_EQ(prompts->warningQuestions.size(), 1);
    EXPECT_TRUE(prompts->yesNoQuestions.isEmpty());
    EXPECT_TRUE(Exists(FilePath("a")) && Exists(FilePath("folder/inner/deep.txt")));
    EXPECT_EQ(List().ItemCount(), 2);

    prompts->warningAnswers = {true};
    DeleteSelectedFiles(List(), *app, true);
    EXPECT_FALSE(Exists(FilePath("a")));
    EXPECT_FALSE(Exists(FilePath("folder")));
    EXPECT_FALSE(Exists(tree.Path("data/Trash/files/a")));
    EXPECT_EQ(List().ItemCount(), 0);
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 0u);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(DeleteCommandTest, CtrlShiftDDeletesForGood)
{
    StartWithFiles({"a"});
    ShowActive();
    Select({0});
    List().CurrentView()->setFocus();
    Frame().UpdateCommandUi();  // as the idle time after the selection would
    prompts->warningAnswers = {true};
    QTest::keyClick(List().CurrentView(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompts->warningQuestions.size(), 1);
    EXPECT_TRUE(prompts->yesNoQuestions.isEmpty());
    EXPECT_FALSE(Exists(FilePath("a")));
    EXPECT_FALSE(Exists(tree.Path("data/Trash/files/a")));
}

TEST_F(DeleteCommandTest, ThePlainDeleteKeyDeletesToTheTrash)
{
    StartWithFiles({"a", "b"});
    ShowActive();
    Select({1});
    List().CurrentView()->setFocus();
    Frame().UpdateCommandUi();  // as the idle time after the selection would
    prompts->yesNoAnswer = true;
    QTest::keyClick(List().CurrentView(), Qt::Key_Delete);
    EXPECT_EQ(prompts->yesNoQuestions.size(), 1);
    EXPECT_TRUE(InTrash("b"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("a")});
}

TEST_F(DeleteCommandTest, OnlySelectedRowsWhoseFilesAreGoneAreRemoved)
{
    StartWithFiles({"a", "b", "c", "d"});
    ASSERT_EQ(unlink(FilePath("a").c_str()), 0);
    ASSERT_EQ(unlink(FilePath("c").c_str()), 0);
    Select({0, 1, 3});
    EXPECT_EQ(List().RemoveVanishedRows(), 1);
    // "c" is gone too but was not selected; "b" and "d" still exist and stay selected.
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(SelectedLabels(), (QStringList{QStringLiteral("b"), QStringLiteral("d")}));
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 3u);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(DeleteCommandTest, NothingVanishedLeavesTheDocumentUnmodified)
{
    StartWithFiles({"a", "b"});
    Select({0, 1});
    EXPECT_EQ(List().RemoveVanishedRows(), 0);
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(DeleteCommandTest, ARowWhoseNameLeavesItsFolderIsNeverDeleted)
{
    tree.WriteFile("etc/passwd", "kept");
    StartWithFiles({"a"});
    Doc().Search().Head()->SetName("../etc/passwd");
    prompts->yesNoAnswer = true;
    prompts->warningAnswers = {true};
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    DeleteSelectedFiles(List(), *app, true);
    EXPECT_TRUE(Exists(tree.Path("etc/passwd")));
    EXPECT_TRUE(prompts->yesNoQuestions.isEmpty());
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    EXPECT_EQ(prompts->errors.size(), 2);
}

TEST_F(DeleteCommandTest, RowsOutsideTheSearchedFoldersAreNeverDeleted)
{
    tree.WriteFile("outside/victim", "kept");
    StartWithFiles({"a", "b"});
    // A result file that searched "files" naming files beside it, through ".." and directly.
    FoundFile *first = Doc().Search().Head();
    first->SetFolder(tree.Path("files") + "/../outside");
    first->SetName("victim");
    first->next->SetFolder(tree.Path("outside"));
    first->next->SetName("victim");
    prompts->yesNoAnswer = true;
    prompts->warningAnswers = {true};
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    DeleteSelectedFiles(List(), *app, true);
    EXPECT_TRUE(Exists(tree.Path("outside/victim")));
    EXPECT_TRUE(prompts->yesNoQuestions.isEmpty());
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    ASSERT_EQ(prompts->errors.size(), 2);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("\".\" or \"..\"")));
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("not one of the folders searched")));
    EXPECT_EQ(List().ItemCount(), 2);
}

TEST_F(DeleteCommandTest, AFileThatBecameAFolderIsErasedOnlyAfterAQuestionNamingTheFolder)
{
    StartWithFiles({"tree"});
    ASSERT_EQ(unlink(FilePath("tree").c_str()), 0);
    for (int i = 0; i < 100; ++i)
        tree.WriteFile("files/tree/sub/" + std::to_string(i), "x");
    Select({0});
    prompts->warningAnswers = {true, false};
    DeleteSelectedFiles(List(), *app, true);
    ASSERT_EQ(prompts->warningQuestions.size(), 2);
    EXPECT_TRUE(prompts->warningQuestions[0].contains(QStringLiteral("a folder of 101 items")));
    EXPECT_TRUE(prompts->warningQuestions[1].contains(QStringLiteral("\"tree\" was a file when it was found; it is now "
                                                                     "a folder of 101 items")));
    EXPECT_TRUE(Exists(FilePath("tree/sub/99")));
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_EQ(List().ItemCount(), 1);

    prompts->warningAnswers = {true, true};
    DeleteSelectedFiles(List(), *app, true);
    EXPECT_FALSE(Exists(FilePath("tree")));
    EXPECT_EQ(List().ItemCount(), 0);
}

TEST_F(DeleteCommandTest, AFileChangedSinceTheSearchGoesToTheTrashOnlyOnYes)
{
    StartWithFiles({"notes", "other"});
    tree.WriteFile("files/notes", "a longer text saved since");
    prompts->yesNoAnswer = true;
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    ASSERT_EQ(prompts->warningQuestions.size(), 1);
    EXPECT_TRUE(prompts->warningQuestions[0].contains(QStringLiteral("\"notes\" has changed since the search")));
    EXPECT_TRUE(Exists(FilePath("notes")));
    EXPECT_TRUE(InTrash("other"));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("notes")});
}

TEST_F(DeleteCommandTest, AFolderSelectedWithItsOwnFilesAsksOnceAndReportsNoFailure)
{
    tree.MakeFolder("files/top/inner");
    tree.WriteFile("files/top/inner/one", "1");
    tree.WriteFile("files/top/two", "2");
    FileSearch search;
    SetSearchedFolders(search, tree.Path("files"));
    search.AppendFoundFile(RecordOfEntry(search, tree.Path("files"), "top"));
    search.AppendFoundFile(RecordOfEntry(search, tree.Path("files/top"), "inner"));
    search.AppendFoundFile(RecordOfEntry(search, tree.Path("files/top/inner"), "one"));
    search.AppendFoundFile(RecordOfEntry(search, tree.Path("files/top"), "two"));
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "rows.sifter"));
    prompts->yesNoAnswer = true;
    List().SelectAll();
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    EXPECT_EQ(prompts->yesNoQuestions.size(), 1);
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_TRUE(InTrash("top"));
    EXPECT_EQ(List().ItemCount(), 0);
}

TEST_F(DeleteCommandTest, WhatTheTrashRefusesIsAskedAboutOnceForAll)
{
    StartWithFiles({"a", "b", "c"});
    // A Trash whose "files" is a link is refused, and the data home's file system has no other.
    tree.MakeFolder("data/Trash/info");
    tree.MakeFolder("elsewhere");
    ASSERT_EQ(symlink(tree.Path("elsewhere").c_str(), tree.Path("data/Trash/files").c_str()), 0);
    prompts->yesNoAnswer = true;
    prompts->warningAnswers = {true};
    prompts->warningApplyToAll = {true};
    List().SelectAll();
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    EXPECT_EQ(prompts->warningQuestions.size(), 1);
    EXPECT_FALSE(Exists(FilePath("a")) || Exists(FilePath("b")) || Exists(FilePath("c")));
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_EQ(List().ItemCount(), 0);
}

// A name that is no UTF-8 and its twin, whose U+FFFD stands where the first has its byte.
constexpr char kNoUtf8Name[] = "bad\xff.txt";
constexpr char kTwinName[] = "bad\xEF\xBF\xBD.txt";

TEST_F(DeleteCommandTest, DeleteTrashesTheNameThatIsNoUtf8AndLeavesItsTwin)
{
    StartWithFiles({kNoUtf8Name, kTwinName});
    prompts->yesNoAnswer = true;
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kDelete));
    EXPECT_TRUE(InTrash(kNoUtf8Name));
    EXPECT_FALSE(Exists(FilePath(kNoUtf8Name)));
    EXPECT_EQ(ReadFileContent(FilePath(kTwinName)), kTwinName);
    ASSERT_EQ(List().ItemCount(), 1);
    EXPECT_EQ(List().Model().Record(0)->Name(), kTwinName);
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(DeleteCommandTest, DeletingForGoodRemovesTheNameThatIsNoUtf8AndLeavesItsTwin)
{
    StartWithFiles({kNoUtf8Name, kTwinName});
    prompts->warningAnswers = {true};
    Select({0});
    DeleteSelectedFiles(List(), *app, true);
    EXPECT_FALSE(Exists(FilePath(kNoUtf8Name)));
    EXPECT_EQ(ReadFileContent(FilePath(kTwinName)), kTwinName);
    ASSERT_EQ(List().ItemCount(), 1);
    EXPECT_EQ(List().Model().Record(0)->Name(), kTwinName);
}

} // namespace
} // namespace sifter::test
