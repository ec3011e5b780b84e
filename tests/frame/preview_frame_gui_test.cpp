// SPDX-License-Identifier: GPL-3.0-or-later
// The preview pane in the program: shown after a content search, View > Preview Pane and
// F3, its place and height kept across starts, F6 visiting it, and a line opening the Hex View.
#include "framework/command_actions.h"
#include "pane/criteria_panels.h"
#include "pane/left_view.h"
#include "results/hex_view_dialog.h"
#include "results/hex_view_pane.h"
#include "results/preview_pane.h"
#include "search/text_field.h"
#include "stores/layout_settings.h"
#include "support/sifter_app_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace sifter::test {
namespace {

constexpr int kPatienceMs = 10000;

class PreviewPaneFrameTest : public SifterAppFixture {
protected:
    void StartAndSearch(const QString &words)
    {
        tree.WriteFile("files/a.txt", "first\nthe needle here\nlast\n");
        tree.WriteFile("files/b.txt", "nothing\n");
        ASSERT_NO_FATAL_FAILURE(StartShown());
        Search(words);
    }

    void Search(const QString &words)
    {
        CLeftView &left = *Frame().GetLeftView();
        left.NameBox()->setEditText(QStringLiteral("a.txt"));
        left.WordsBox()->setEditText(words);
        left.FolderBox()->setEditText(QString::fromStdString(tree.Path("files")));
        QTest::mouseClick(left.SearchButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return List().ItemCount() == 1 && !Doc().Search().Running(); }, kPatienceMs));
    }

    CPreviewPane &Preview() const { return *Frame().PreviewPane(); }
    bool Checked() const { return Frame().Actions().Action(cmd::kViewPreviewPane)->isChecked(); }

    // Selects the one row and waits for its preview.
    void SelectAndWait()
    {
        QSignalSpy shown(&Preview(), &CPreviewPane::PreviewShown);
        Select({0});
        ASSERT_TRUE(shown.wait(kPatienceMs));
    }
};

TEST_F(PreviewPaneFrameTest, AFileFoundByAWordExpressionShowsItsFirstLinesNotMarks)
{
    tree.WriteFile("files/a.txt", "first\nthe needle here\nlast\n");
    ASSERT_NO_FATAL_FAILURE(StartShown());
    ExtraCriteria extras;
    extras.regexWords = true;
    PushExtrasInto(extras, Frame().GetLeftView()->Panels());
    ASSERT_NO_FATAL_FAILURE(Search(QStringLiteral("ne+dle")));
    ASSERT_TRUE(Doc().Search().extras.regexWords);
    ASSERT_NO_FATAL_FAILURE(SelectAndWait());
    EXPECT_EQ(Preview().HeaderText(), QStringLiteral("First lines of a.txt"));
    ASSERT_EQ(Preview().ShownLines().size(), 3u);
    EXPECT_TRUE(Preview().ShownLines()[1].marks.isEmpty());
}

TEST_F(PreviewPaneFrameTest, AContentSearchShowsThePaneWithTheSelectedRowsLines)
{
    ASSERT_NO_FATAL_FAILURE(StartAndSearch(QStringLiteral("needle")));
    EXPECT_TRUE(Preview().isVisible());
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Checked());
    ASSERT_NO_FATAL_FAILURE(SelectAndWait());
    EXPECT_EQ(Preview().HeaderText(), QStringLiteral("1 match"));
    ASSERT_EQ(Preview().ShownLines().size(), 3u);
    EXPECT_EQ(Preview().ShownLines()[1].text, QStringLiteral("the needle here"));

    // Ctrl+C in the pane copies its lines, not the selected file.
    ShowActive();
    Preview().Lines()->setFocus();
    Preview().Lines()->setCurrentRow(1);
    QTest::keyClick(Preview().Lines(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2: the needle here\n"));

    // Enter on the match line: the Hex View at the match's offset.
    Preview().Lines()->setCurrentRow(1);
    QTest::keyClick(Preview().Lines(), Qt::Key_Return);
    CHexViewDialog *hex = List().HexViewDialog();
    ASSERT_TRUE(QTest::qWaitFor([hex] { return hex->isVisible(); }, kPatienceMs));
    EXPECT_EQ(hex->Pane()->TopOffset(), std::string("first\nthe ").size());
}

TEST_F(PreviewPaneFrameTest, ANameSearchLeavesItHiddenUntilF3AndTheChoiceIsKept)
{
    ASSERT_NO_FATAL_FAILURE(StartAndSearch(QString()));
    EXPECT_FALSE(Preview().isVisible());
    ShowActive();
    QTest::keyClick(&Frame(), Qt::Key_F3);
    EXPECT_TRUE(Preview().isVisible());
    ASSERT_NO_FATAL_FAILURE(SelectAndWait());
    EXPECT_EQ(Preview().ShownLines().size(), 3u); // the first lines
    EXPECT_EQ(Preview().ShownLines()[0].text, QStringLiteral("first"));

    // Hidden by the user: it stays hidden after a content search, in this start and the next.
    Frame().SendCommand(cmd::kViewPreviewPane);
    EXPECT_FALSE(Preview().isVisible());
    Search(QStringLiteral("needle"));
    EXPECT_FALSE(Preview().isVisible());
    Stop();
    EXPECT_EQ(StoredSettings().previewPane, kPreviewPaneHidden);

    LayoutSettings shown = StoredSettings();
    shown.previewPane = kPreviewPaneShown;
    shown.previewHeight = 123;
    StoreSettings(shown);
    ASSERT_NO_FATAL_FAILURE(StartShown());
    EXPECT_TRUE(Preview().isVisible());
    EXPECT_EQ(Preview().height(), 123);
    Stop();
    EXPECT_EQ(StoredSettings().previewHeight, 123);
}

TEST_F(PreviewPaneFrameTest, AnOpenedResultFileIsPreviewedWithItsSavedWords)
{
    const std::string folder = tree.MakeFolder("files");
    tree.WriteFile("files/a.txt", "zero\none pin\ntwo\n");
    FileSearch search;
    SetSearchedFolders(search, folder);
    SetTextField(search.criteria.words, "pin");
    std::unique_ptr<FoundFile> record = RecordOfEntry(search, folder, "a.txt");
    record->matchOffset = static_cast<std::int64_t>(std::string("zero\none ").size());
    search.AppendFoundFile(std::move(record));
    ASSERT_NO_FATAL_FAILURE(StartShown());
    ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "saved.sifter"));
    EXPECT_TRUE(Preview().isVisible());
    ASSERT_NO_FATAL_FAILURE(SelectAndWait());
    ASSERT_EQ(Preview().ShownLines().size(), 3u);
    const PreviewLine &match = Preview().ShownLines()[1];
    ASSERT_EQ(match.marks.size(), 1);
    EXPECT_EQ(match.text.mid(match.marks[0].first, match.marks[0].second), QStringLiteral("pin"));
}

TEST_F(PreviewPaneFrameTest, F6VisitsThePreviewBetweenTheListAndTheCriteria)
{
    ASSERT_NO_FATAL_FAILURE(StartAndSearch(QStringLiteral("needle")));
    ShowActive();
    List().CurrentView()->setFocus();
    Frame().SendCommand(cmd::kNextPane);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(Preview().Lines()));
    Frame().SendCommand(cmd::kNextPane);
    EXPECT_TRUE(Frame().GetLeftView()->isAncestorOf(QApplication::focusWidget()));
    Frame().SendCommand(cmd::kPrevPane);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(Preview().Lines()));
}

} // namespace
} // namespace sifter::test
