// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands on the results list's selection: Open, Select All, Invert Selection,
// their enabling, and the guard that keeps every file command off rows whose records do
// not name a file in their folder.
#include "fileops/file_command_guard.h"
#include "fileops/file_url.h"
#include "framework/command_actions.h"
#include "fs/file_attributes.h"
#include "fs/path.h"
#include "results/hex_view_dialog.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "stores/result_file.h"
#include "support/found_records.h"
#include "support/sifter_app_fixture.h"
#include "support/temp_xdg_folders.h"

#include <QAction>
#include <QDBusConnection>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>

namespace sifter::test {
namespace {

class FileCommandsTest : public SifterAppFixture {
protected:
    // The applications come from the tree only: one that takes these rows' types, so that
    // Open hands them to the desktop's opener.
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        UseTempXdgFolders(tree);
        tree.WriteFile(kAnyFileApplication, "[Desktop Entry]\nType=Application\nName=Any\nExec=true %f\n"
                                            "MimeType=text/plain;inode/directory;application/octet-stream;\n");
    }

    static constexpr char kAnyFileApplication[] = "data/applications/any.desktop";

    struct Row {
        Row(std::string rowName, std::string rowFolder = {}, std::uint32_t rowAttributes = kAttributeNormal)
            : name(std::move(rowName)), folder(std::move(rowFolder)), attributes(rowAttributes)
        {
        }
        std::string name;
        std::string folder;  // empty: the tree's "files" folder
        std::uint32_t attributes;
    };

    // Saves the rows as a result file and opens it in a started program.
    void StartWithRows(const std::vector<Row> &rows)
    {
        tree.MakeFolder("files");
        FileSearch search;
        SetSearchedFolders(search, tree.Path("files"));
        for (const Row &row : rows) {
            // A file the test wrote is recorded as found; the others as the row says.
            const std::string folder = row.folder.empty() ? tree.Path("files") : row.folder;
            const bool written = FileNameFault(row.name) == RecordFault::kNone && PathExists(PathAppend(folder, row.name));
            if (written) {
                search.AppendFoundFile(RecordOfEntry(search, folder, row.name));
                continue;
            }
            auto record = std::make_unique<FoundFile>();
            record->SetName(row.name);
            record->SetFolder(folder);
            record->attributes = row.attributes;
            search.AppendFoundFile(std::move(record));
        }
        ASSERT_TRUE(Start());
        ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "rows.sifter"));
        // No desktop portal: a chooser would be our own dialog.
        Frame().SetDesktopBus(QDBusConnection(QStringLiteral("no-bus")));
    }

    std::vector<int> SelectedRowNumbers()
    {
        std::vector<int> numbers;
        for (const auto &[row, record] : List().SelectedRows())
            numbers.push_back(row);
        return numbers;
    }

    std::string FilePath(const std::string &name) { return tree.Path("files") + "/" + name; }

    bool Exists(const std::string &name) { return EntryExists(FilePath(name)); }

    QString Label(int row) { return List().Model().index(row, 0).data().toString(); }

    // Rename on the selected row, the text typed into its label's editor and the key pressed.
    void EditLabel(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        ASSERT_TRUE(Frame().SendCommand(cmd::kRename));
        auto *editor = List().CurrentView()->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, key);
        // The delegate commits a confirmed edit once the event loop turns.
        QCoreApplication::processEvents();
        // The closed editor goes, so that the next edit finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(FileCommandsTest, OpenNeedsASelectedRowAndSelectAllAndInvertAreAlwaysEnabled)
{
    StartWithRows({{"a.txt"}, {"b.txt"}});
    Select({});
    EXPECT_FALSE(Enabled(cmd::kOpen));
    EXPECT_TRUE(Enabled(cmd::kEditSelectAll));
    EXPECT_TRUE(Enabled(cmd::kInvertSelection));
    Select({0});
    EXPECT_TRUE(Enabled(cmd::kOpen));
    Select({0, 1});
    EXPECT_TRUE(Enabled(cmd::kOpen));
}

TEST_F(FileCommandsTest, InvertSelectionSelectsTheOtherRows)
{
    StartWithRows({{"a"}, {"b"}, {"c"}, {"d"}});
    Select({0, 2});
    List().SelectionModel()->setCurrentIndex(List().Model().index(2, 0), QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(Frame().SendCommand(cmd::kInvertSelection));
    EXPECT_EQ(SelectedRowNumbers(), (std::vector<int>{1, 3}));
    EXPECT_EQ(List().SelectionModel()->currentIndex().row(), 2);
    ASSERT_TRUE(Frame().SendCommand(cmd::kInvertSelection));
    EXPECT_EQ(SelectedRowNumbers(), (std::vector<int>{0, 2}));
}

TEST_F(FileCommandsTest, SelectAllOnAnEmptyListSelectsNothing)
{
    StartWithRows({});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditSelectAll));
    EXPECT_EQ(List().SelectedCount(), 0);
}

TEST_F(FileCommandsTest, SelectAllSelectsEveryRow)
{
    StartWithRows({{"a"}, {"b"}, {"c"}});
    Select({1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kEditSelectAll));
    EXPECT_EQ(SelectedRowNumbers(), (std::vector<int>{0, 1, 2}));
}

TEST_F(FileCommandsTest, OpenHandsEachSelectedFileToTheDesktopInRowOrder)
{
    StartWithRows({{"one file.txt"}, {"sub", "", kAttributeFolder}, {"-\"odd\"\nname\xff"}});
    Select({2, 0, 1});
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], FileUrlOfPath(FilePath("one file.txt")));
    EXPECT_EQ(opened[0].toLocalFile(), QString::fromStdString(FilePath("one file.txt")));
    // A folder row opens the folder itself.
    EXPECT_EQ(opened[1].toLocalFile(), QString::fromStdString(FilePath("sub") + "/"));
    // The name's bytes survive, also those that are no UTF-8.
    EXPECT_EQ(opened[2].toEncoded(QUrl::FullyEncoded),
              QByteArray::fromStdString("file://" + QUrl::toPercentEncoding(QString::fromStdString(tree.Path("files")), "/")
                                                        .toStdString() +
                                        "/-%22odd%22%0Aname%FF"));
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(FileCommandsTest, RowsWhoseRecordsLeaveTheirFolderAreListedButNeverActedOn)
{
    tree.WriteFile("files/good.txt", "g");
    // (A record with an empty name is damaged in a result file and never becomes a row.)
    StartWithRows({{"good.txt"}, {"../../etc/passwd"}, {".."}, {"."}, {"x.txt", "relative/folder"}});
    ASSERT_EQ(List().ItemCount(), 5);
    List().SelectAll();
    ASSERT_TRUE(Frame().SendCommand(cmd::kOpen));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), QString::fromStdString(FilePath("good.txt")));
    ASSERT_EQ(prompts->errors.size(), 1);
    const QString &told = prompts->errors[0];
    EXPECT_TRUE(told.contains(QStringLiteral("Row 2 (../../etc/passwd): the name contains \"/\".")));
    EXPECT_TRUE(told.contains(QStringLiteral("Row 3 (..): the name is \".\" or \"..\".")));
    EXPECT_TRUE(told.contains(QStringLiteral("Row 4 (.): the name is \".\" or \"..\".")));
    EXPECT_TRUE(told.contains(QStringLiteral("Row 5 (x.txt): the folder is not an absolute path.")));
    EXPECT_FALSE(told.contains(QStringLiteral("good.txt")));
}

TEST_F(FileCommandsTest, HexViewLeavesARowWhoseNameLeavesItsFolder)
{
    // The crafted name reaches a real file from the folder: without the guard it would be shown.
    tree.WriteFile("target.txt", "secret");
    StartWithRows({{"../target.txt"}});
    Select({0});
    Frame().SendCommand(cmd::kHexView);
    EXPECT_FALSE(List().HexViewDialog()->isVisible());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("Row 1 (../target.txt)")));
}

TEST_F(FileCommandsTest, RenameByEditingTheLabelRenamesTheFileAndTheRow)
{
    tree.WriteFile("files/report.doc", "report");
    tree.WriteFile("files/other.txt", "other");
    StartWithRows({{"other.txt"}, {"report.doc"}});
    Select({1});
    EXPECT_TRUE(Enabled(cmd::kRename));
    ASSERT_FALSE(Doc().IsModified());
    EditLabel(QStringLiteral("summary.doc"));
    EXPECT_FALSE(Exists("report.doc"));
    EXPECT_TRUE(Exists("summary.doc"));
    EXPECT_EQ(List().Model().Record(1)->Name(), "summary.doc");
    EXPECT_EQ(Label(1), QStringLiteral("summary.doc"));
    EXPECT_EQ(Label(0), QStringLiteral("other.txt"));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(prompts->errors.isEmpty());
}

TEST_F(FileCommandsTest, RenameOfAnEntryThatIsNoLongerTheFoundFileAsksFirst)
{
    tree.WriteFile("files/report.doc", "report");
    StartWithRows({{"report.doc"}});
    tree.WriteFile("files/report.doc", "another report, saved since");
    Select({0});
    EditLabel(QStringLiteral("summary.doc"));
    ASSERT_EQ(prompts->warningQuestions.size(), 1);
    EXPECT_TRUE(prompts->warningQuestions[0].contains(QStringLiteral("\"report.doc\" has changed since the search")));
    EXPECT_TRUE(Exists("report.doc"));
    EXPECT_EQ(Label(0), QStringLiteral("report.doc"));

    prompts->warningAnswers = {true};
    EditLabel(QStringLiteral("summary.doc"));
    EXPECT_TRUE(Exists("summary.doc"));
    EXPECT_EQ(Label(0), QStringLiteral("summary.doc"));
}

TEST_F(FileCommandsTest, RenameOntoAnExistingNameIsRefusedAndChangesNothing)
{
    tree.WriteFile("files/old.txt", "old");
    tree.WriteFile("files/taken.txt", "taken");
    StartWithRows({{"old.txt"}});
    Select({0});
    EditLabel(QStringLiteral("taken.txt"));
    EXPECT_TRUE(Exists("old.txt"));
    EXPECT_EQ(ReadFileContent(tree.Path("files/taken.txt")), "taken");
    EXPECT_EQ(List().Model().Record(0)->Name(), "old.txt");
    EXPECT_EQ(Label(0), QStringLiteral("old.txt"));
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("already exists")));
}

TEST_F(FileCommandsTest, RenameRefusesNamesThatAreNoPlainName)
{
    tree.WriteFile("files/a.txt", "a");
    StartWithRows({{"a.txt"}});
    for (const QString &bad : {QStringLiteral(""), QStringLiteral("../a.txt"), QStringLiteral(".."), QStringLiteral(".")}) {
        Select({0});
        EditLabel(bad);
    }
    EXPECT_TRUE(Exists("a.txt"));
    EXPECT_EQ(Label(0), QStringLiteral("a.txt"));
    ASSERT_EQ(prompts->errors.size(), 4);
    EXPECT_EQ(prompts->errors[0], QStringLiteral("A file name cannot be empty."));
    EXPECT_EQ(prompts->errors[1], QStringLiteral("A file name cannot contain \"/\"."));
    EXPECT_EQ(prompts->errors[2], QStringLiteral("A file name cannot be \".\" or \"..\"."));
    EXPECT_EQ(prompts->errors[3], prompts->errors[2]);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(FileCommandsTest, ACancelledEditRenamesNothing)
{
    tree.WriteFile("files/a.txt", "a");
    StartWithRows({{"a.txt"}});
    Select({0});
    EditLabel(QStringLiteral("b.txt"), Qt::Key_Escape);
    EXPECT_TRUE(Exists("a.txt"));
    EXPECT_FALSE(Exists("b.txt"));
    EXPECT_FALSE(Doc().IsModified());
}

// The label shows a byte that is no UTF-8 as U+FFFD; taken back as typed, it would name another file.
TEST_F(FileCommandsTest, AnEditLeftAsShownKeepsANameThatIsNoUtf8)
{
    const std::string name = "bad\xff.txt";
    tree.WriteFile("files/" + name, "selected");
    StartWithRows({{name}});
    Select({0});
    EditLabel(Label(0));
    EXPECT_EQ(ReadFileContent(FilePath(name)), "selected");
    EXPECT_FALSE(Exists("bad\xEF\xBF\xBD.txt"));
    EXPECT_EQ(List().Model().Record(0)->Name(), name);
    EXPECT_TRUE(prompts->errors.isEmpty());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(FileCommandsTest, RenameOfANameThatIsNoUtf8RenamesThatFileAndNotItsTwin)
{
    tree.WriteFile("files/bad\xff.txt", "selected");
    tree.WriteFile("files/bad\xEF\xBF\xBD.txt", "twin");
    StartWithRows({{"bad\xff.txt"}, {"bad\xEF\xBF\xBD.txt"}});
    Select({0});
    EditLabel(QStringLiteral("renamed.txt"));
    EXPECT_EQ(ReadFileContent(FilePath("renamed.txt")), "selected");
    EXPECT_FALSE(Exists("bad\xff.txt"));
    EXPECT_EQ(ReadFileContent(FilePath("bad\xEF\xBF\xBD.txt")), "twin");
    EXPECT_EQ(List().Model().Record(1)->Name(), "bad\xEF\xBF\xBD.txt");
}

TEST_F(FileCommandsTest, RenameLeavesARowWhoseNameLeavesItsFolder)
{
    tree.WriteFile("victim.txt", "v");
    StartWithRows({{"../victim.txt"}});
    Select({0});
    Frame().show();
    ASSERT_TRUE(Frame().SendCommand(cmd::kRename));
    EXPECT_EQ(List().CurrentView()->viewport()->findChild<QLineEdit *>(), nullptr);
    ASSERT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(prompts->errors[0].contains(QStringLiteral("Row 1 (../victim.txt)")));
    // An edit that reaches the view another way is refused too.
    EXPECT_FALSE(List().OnEndLabelEdit(0, QStringLiteral("renamed.txt")));
    EXPECT_EQ(ReadFileContent(tree.Path("victim.txt")), "v");
}

} // namespace
} // namespace sifter::test
