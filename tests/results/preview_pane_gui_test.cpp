// SPDX-License-Identifier: GPL-3.0-or-later
// The preview pane on its own: what it shows for each kind of row, a selection that moves
// on while a preview is made, copying lines, and opening a line.
#include "results/preview_pane.h"
#include "search/search_criteria.h"
#include "search/text_field.h"
#include "support/system_time.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

using test::TempTree;

constexpr int kPatienceMs = 10000;

class PreviewPaneTest : public ::testing::Test {
protected:
    PreviewPaneTest() { pane.resize(600, 300); }

    PreviewRequest Request(const std::string &path, const std::string &words, std::int64_t matchOffset = 0)
    {
        PreviewRequest request;
        request.path = path;
        request.name = QString::fromStdString(path.substr(path.rfind('/') + 1));
        request.matchOffset = matchOffset;
        request.facts = QStringLiteral("facts of the file");
        ResetCriteria(request.criteria, test::SystemTimeOf(2026, 1, 1));
        SetTextField(request.criteria.words, words);
        return request;
    }

    // Shows the request and waits until its preview is on screen.
    void ShowAndWait(PreviewRequest request)
    {
        QSignalSpy shown(&pane, &CPreviewPane::PreviewShown);
        pane.ShowRequest(std::move(request));
        ASSERT_TRUE(shown.wait(kPatienceMs));
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const PreviewLine &line : pane.ShownLines())
            texts << line.text;
        return texts;
    }

    TempTree tree;
    CPreviewPane pane;
};

TEST_F(PreviewPaneTest, ASingleMatchIsCountedInTheSingular)
{
    const std::string file = tree.WriteFile("one.txt", "no\nthe word\n");
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(file, "word", 7)));
    EXPECT_EQ(pane.HeaderText(), QStringLiteral("1 match"));
}

TEST_F(PreviewPaneTest, MatchLinesAreMarkedUnderACountOfMatches)
{
    const std::string file = tree.WriteFile("a.txt", "one\nthe word\nthree\nfour\nfive\nword again\n");
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(file, "word", 8)));
    EXPECT_EQ(pane.HeaderText(), QStringLiteral("2 matches"));
    EXPECT_EQ(Texts(), (QStringList{"one", "the word", "three", "--", "five", "word again"}));
    const PreviewLine &match = pane.ShownLines()[1];
    EXPECT_EQ(match.head, QStringLiteral("2"));
    ASSERT_EQ(match.marks.size(), 1);
    EXPECT_EQ(match.text.mid(match.marks[0].first, match.marks[0].second), QStringLiteral("word"));
    EXPECT_EQ(match.offset, 8);
    EXPECT_EQ(pane.Lines()->count(), 6);
}

TEST_F(PreviewPaneTest, RowsWithoutMatchLinesSayWhatTheyAreInOneLine)
{
    const std::string folder = tree.MakeFolder("sub");
    PreviewRequest folderRow = Request(folder, "word");
    folderRow.folder = true;
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(folderRow));
    EXPECT_EQ(Texts(), (QStringList{"sub is a folder."}));

    PreviewRequest refused = Request(tree.WriteFile("r.txt", "word"), "word");
    refused.refused = true;
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(refused));
    EXPECT_EQ(pane.ShownLines().size(), 1u);
    EXPECT_TRUE(Texts().front().startsWith(QStringLiteral("Not shown")));

    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(tree.Path("gone.txt"), "word")));
    EXPECT_EQ(Texts(), (QStringList{"gone.txt cannot be read: it may have been moved or deleted."}));

    // A search by name: the first lines of a text file, the facts of any other.
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(tree.WriteFile("t.txt", "first\r\nsecond\n"), "")));
    EXPECT_EQ(Texts(), (QStringList{"first", "second"}));
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(tree.WriteFile("b.bin", std::string("x\0y", 3)), "")));
    EXPECT_EQ(Texts(), (QStringList{"facts of the file"}));
}

TEST_F(PreviewPaneTest, ASelectionThatMovesOnNeverShowsTheEarlierPreview)
{
    // Many match lines in a large file: a preview that takes a while to make.
    std::string big;
    while (big.size() < 32 * 1024 * 1024)
        big += "word and more words on a line of its own\n";
    const std::string slow = tree.WriteFile("big.txt", big);
    const std::string fast = tree.WriteFile("small.txt", "just one word\n");
    QSignalSpy shown(&pane, &CPreviewPane::PreviewShown);
    pane.ShowRequest(Request(slow, "word"));
    pane.ShowRequest(Request(fast, "word"));
    ASSERT_TRUE(shown.wait(kPatienceMs));
    QTest::qWait(300); // time for the abandoned one to come, were it ever to
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(Texts(), (QStringList{"just one word"}));
    EXPECT_FALSE(pane.Busy());
}

TEST_F(PreviewPaneTest, CopyGivesTheSelectedLinesAsPlainTextAndEnterOpensTheMatch)
{
    const std::string content = "alpha word\nbeta\ngamma word\n";
    const std::string file = tree.WriteFile("c.txt", content);
    ASSERT_NO_FATAL_FAILURE(ShowAndWait(Request(file, "word", 6)));
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    pane.Lines()->setFocus();
    pane.Lines()->item(0)->setSelected(true);
    pane.Lines()->item(2)->setSelected(true);
    QTest::keyClick(pane.Lines(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1: alpha word\n3: gamma word\n"));

    std::string openedPath;
    std::int64_t openedOffset = -1;
    pane.SetOpenAtOffset([&](const std::string &path, std::int64_t offset) {
        openedPath = path;
        openedOffset = offset;
    });
    pane.Lines()->setCurrentRow(2);
    QTest::keyClick(pane.Lines(), Qt::Key_Return);
    EXPECT_EQ(openedPath, file);
    EXPECT_EQ(openedOffset, static_cast<std::int64_t>(content.rfind("word")));
}

} // namespace
} // namespace sifter
