// SPDX-License-Identifier: GPL-3.0-or-later
// Copy to Folder and Move To Folder on the results list's selection: the folder picker, the
// transfer (a stand-in that moves real files and asks the sink as the real one does), the
// failures told, and the rows whose files went.
#include "fileops/transfer_commands.h"
#include "framework/command_actions.h"
#include "framework/string_resources.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/sifter_app_fixture.h"

#include <QAction>
#include <QItemSelectionModel>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include <unistd.h>

namespace sifter::test {
namespace {

namespace fs = std::filesystem;

// Stands for TransferEntries on plain files: Progress before each source, AskConflict when its
// name is taken in the folder (Replace, Skip, Rename as "name (1)", Cancel), a failure for the
// sources named in failWith, and the copy or move itself with std::filesystem.
struct TransferStandIn {
    std::map<std::string, std::string> failWith;  // source path -> reason
    std::vector<std::string> sources;
    std::string folder;
    TransferKind kind = TransferKind::kCopy;
    int calls = 0;
    std::function<void()> beforeProgress;  // what the user does while the transfer runs

    TransferOutcome Run(const std::vector<std::string> &given, const std::string &into, TransferKind how,
                        TransferSink &sink)
    {
        ++calls;
        sources = given;
        folder = into;
        kind = how;
        TransferOutcome outcome;
        TransferProgress progress;
        progress.filesTotal = given.size();
        std::optional<ConflictAnswer> forAll;
        for (const std::string &source : given) {
            progress.current = source;
            if (beforeProgress)
                beforeProgress();
            if (!sink.Progress(progress)) {
                outcome.cancelled = true;
                break;
            }
            ++progress.filesDone;
            if (const auto failure = failWith.find(source); failure != failWith.end()) {
                outcome.failures.push_back({source, failure->second});
                continue;
            }
            fs::path target = fs::path(into) / fs::path(source).filename();
            if (fs::exists(target)) {
                bool applyToAll = false;
                const ConflictAnswer answer =
                    forAll ? *forAll : sink.AskConflict(source, target.string(), fs::is_directory(target), applyToAll);
                if (applyToAll)
                    forAll = answer;
                if (answer == ConflictAnswer::kCancel) {
                    outcome.cancelled = true;
                    break;
                }
                if (answer == ConflictAnswer::kSkip)
                    continue;
                if (answer == ConflictAnswer::kRename)
                    target += " (1)";
            }
            if (how == TransferKind::kMove)
                fs::rename(source, target);
            else
                fs::copy_file(source, target, fs::copy_options::overwrite_existing);
        }
        return outcome;
    }
};

class TransferCommandsTest : public SifterAppFixture {
protected:
    // The folder picker picks "dest" and the transfer is the stand-in.
    void RowsOpened() override
    {
        tree.MakeFolder("dest");
        pickedFolder = QString::fromStdString(tree.Path("dest"));
        Frame().SetFolderPicker([this](QWidget *owner, const QString &title, const QString &start) {
            pickerTitles.append(title);
            pickerStarts.append(start);
            EXPECT_EQ(owner, &Frame());
            return pickedFolder;
        });
        Frame().SetFileTransfer([this](const std::vector<std::string> &sources, const std::string &folder,
                                       TransferKind kind, TransferSink &sink) {
            return transfer.Run(sources, folder, kind, sink);
        });
    }

    QString pickedFolder;
    QStringList pickerTitles;
    QStringList pickerStarts;
    TransferStandIn transfer;
};

TEST_F(TransferCommandsTest, BothNeedASelectedRow)
{
    StartWithFiles({"a", "b"});
    for (CommandId id : {cmd::kCopyToFolder, cmd::kMoveToFolder}) {
        Select({});
        EXPECT_FALSE(Enabled(id));
        Select({1});
        EXPECT_TRUE(Enabled(id));
        Select({0, 1});
        EXPECT_TRUE(Enabled(id));
    }
}

TEST_F(TransferCommandsTest, MovingRowsZeroAndTwoRemovesExactlyThoseRows)
{
    StartWithFiles({"a", "b", "c"});
    Select({0, 2});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    EXPECT_EQ(pickerTitles, QStringList{LoadResString(str::kChooseMoveFolder)});
    EXPECT_EQ(pickerStarts, QStringList{QString()});
    EXPECT_EQ(transfer.kind, TransferKind::kMove);
    EXPECT_EQ(transfer.folder, tree.Path("dest"));
    EXPECT_EQ(ReadFileContent(tree.Path("dest/a")), "a");
    EXPECT_EQ(ReadFileContent(tree.Path("dest/c")), "c");
    EXPECT_FALSE(EntryExists(tree.Path("files/a")));
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("b")});
    EXPECT_EQ(Doc().Search().CountFoundFiles(), 1u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(TransferCommandsTest, AMoveTakesWhatChangedSinceTheSearchOnlyOnYesACopyWithoutAsking)
{
    StartWithFiles({"a", "b", "c"});
    tree.WriteFile("files/a", "saved again since");
    ASSERT_EQ(unlink(tree.Path("files/b").c_str()), 0);
    tree.MakeFolder("files/b");
    List().SelectAll();
    prompts->warningAnswers = {false, true};
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    ASSERT_EQ(prompts->warningQuestions.size(), 2);
    EXPECT_TRUE(prompts->warningQuestions[0].contains(QStringLiteral("\"a\" has changed since the search")));
    EXPECT_TRUE(prompts->warningQuestions[1].contains(QStringLiteral("it is now an empty folder")));
    EXPECT_EQ(transfer.sources, (std::vector<std::string>{tree.Path("files/b"), tree.Path("files/c")}));

    prompts->warningQuestions.clear();
    List().SelectAll();
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    EXPECT_TRUE(prompts->warningQuestions.isEmpty());
    EXPECT_EQ(transfer.sources, std::vector<std::string>{tree.Path("files/a")});
}

TEST_F(TransferCommandsTest, CopyingLeavesEveryRow)
{
    StartWithFiles({"a", "b", "c"});
    Select({0, 1, 2});
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    EXPECT_EQ(pickerTitles, QStringList{LoadResString(str::kChooseCopyFolder)});
    EXPECT_EQ(transfer.kind, TransferKind::kCopy);
    for (const char *name : {"a", "b", "c"}) {
        EXPECT_EQ(ReadFileContent(tree.Path(std::string("dest/") + name)), name);
        EXPECT_TRUE(EntryExists(tree.Path(std::string("files/") + name)));
    }
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(List().SelectedCount(), 3);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(TransferCommandsTest, ACancelledPickerCopiesAndMovesNothing)
{
    StartWithFiles({"a", "b"});
    pickedFolder.clear();
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    EXPECT_EQ(pickerTitles.size(), 2);
    EXPECT_EQ(transfer.calls, 0);
    EXPECT_TRUE(EntryExists(tree.Path("files/a")) && EntryExists(tree.Path("files/b")));
    EXPECT_EQ(List().ItemCount(), 2);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(TransferCommandsTest, FailuresAreNamedInOneErrorAndTheirRowsStay)
{
    StartWithFiles({"a", "b", "c"});
    transfer.failWith[tree.Path("files/a")] = "Permission denied";
    transfer.failWith[tree.Path("files/c")] = "No space left on device";
    Select({0, 1, 2});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    ASSERT_EQ(prompts->errors.size(), 1);
    const QString error = prompts->errors.front();
    EXPECT_TRUE(error.contains(QString::fromStdString(tree.Path("files/a")) + QStringLiteral(": Permission denied")));
    EXPECT_TRUE(
        error.contains(QString::fromStdString(tree.Path("files/c")) + QStringLiteral(": No space left on device")));
    EXPECT_FALSE(error.contains(QStringLiteral("files/b")));
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
}

TEST_F(TransferCommandsTest, ACancelledTransferSaysNothingAndKeepsTheRowsNotMoved)
{
    StartWithFiles({"a", "b"});
    tree.WriteFile("dest/a", "older a");
    prompts->conflictAnswers = {ConflictAnswer::kCancel};
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_TRUE(prompts->informations.isEmpty());
    EXPECT_EQ(ReadFileContent(tree.Path("dest/a")), "older a");
    EXPECT_EQ(Labels(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(TransferCommandsTest, ClosingTheWindowCancelsTheTransferAndClosesOnceItHasReturned)
{
    StartWithFiles({"a", "b", "c"});
    Frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    Select({0, 1, 2});
    bool closedAtOnce = true;
    transfer.beforeProgress = [&] {
        if (transfer.calls == 1 && !Frame().ClosePending())
            closedAtOnce = Frame().close();  // as a termination signal or the close box would
    };
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    EXPECT_FALSE(closedAtOnce);
    // Cancelled at its first step: nothing was copied, and nothing is said about it.
    EXPECT_FALSE(EntryExists(tree.Path("dest/a")));
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_FALSE(Doc().IsBusy());
    for (int wait = 0; wait < 100 && Frame().isVisible(); ++wait)
        QTest::qWait(10);
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(TransferCommandsTest, AConflictNamesTheFileAndTheFolderAndTakesTheAnswer)
{
    StartWithFiles({"a", "b", "c"});
    tree.WriteFile("dest/a", "older a");
    tree.WriteFile("dest/b", "older b");
    tree.WriteFile("dest/c", "older c");
    // Rename for "a"; Skip for "b", applied to "c" as well.
    prompts->conflictAnswers = {ConflictAnswer::kRename, ConflictAnswer::kSkip};
    prompts->conflictApplyToAll = {false, true};
    Select({0, 1, 2});
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    const QString dest = QString::fromStdString(tree.Path("dest"));
    EXPECT_EQ(prompts->conflictQuestions, (QStringList{QStringLiteral("a|") + dest + QStringLiteral("|file"),
                                                       QStringLiteral("b|") + dest + QStringLiteral("|file")}));
    EXPECT_EQ(ReadFileContent(tree.Path("dest/a")), "older a");
    EXPECT_EQ(ReadFileContent(tree.Path("dest/a (1)")), "a");
    EXPECT_EQ(ReadFileContent(tree.Path("dest/b")), "older b");
    EXPECT_EQ(ReadFileContent(tree.Path("dest/c")), "older c");
}

TEST_F(TransferCommandsTest, ARowWhoseNameLeavesItsFolderIsSkippedAndNamed)
{
    StartWithFiles({"a", "b"});
    Doc().Search().Head()->SetName("../../etc/passwd");
    Select({0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    EXPECT_EQ(transfer.sources, std::vector<std::string>{tree.Path("files/b")});
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors.front().contains(QStringLiteral("../../etc/passwd")));
    EXPECT_TRUE(prompts->errors.front().contains(QStringLiteral("Row 1")));
    EXPECT_FALSE(EntryExists(tree.Path("dest/passwd")));
    // Its row stays listed, though no file is found at the path it names.
    EXPECT_EQ(Labels(), QStringList{QStringLiteral("../../etc/passwd")});
}

TEST_F(TransferCommandsTest, OnlyUnsafeRowsSelectedDoesNoTransfer)
{
    StartWithFiles({"a"});
    Doc().Search().Head()->SetName("../../etc/passwd");
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kCopyToFolder));
    EXPECT_EQ(transfer.calls, 0);
    EXPECT_EQ(prompts->errors.size(), 1);
}

TEST_F(TransferCommandsTest, MovingANameThatIsNoUtf8MovesThatFileAndNotItsTwin)
{
    StartWithFiles({"bad\xff.txt", "bad\xEF\xBF\xBD.txt"});
    Frame().SetFileTransfer(TransferWithDefaults);
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kMoveToFolder));
    EXPECT_EQ(ReadFileContent(tree.Path("dest/bad\xff.txt")), "bad\xff.txt");
    EXPECT_FALSE(EntryExists(tree.Path("files/bad\xff.txt")));
    EXPECT_EQ(ReadFileContent(tree.Path("files/bad\xEF\xBF\xBD.txt")), "bad\xEF\xBF\xBD.txt");
    EXPECT_FALSE(EntryExists(tree.Path("dest/bad\xEF\xBF\xBD.txt")));
    ASSERT_EQ(List().ItemCount(), 1);
    EXPECT_EQ(List().Model().Record(0)->Name(), "bad\xEF\xBF\xBD.txt");
    EXPECT_TRUE(prompts->errors.isEmpty());
}

} // namespace
} // namespace sifter::test
