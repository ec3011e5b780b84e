// SPDX-License-Identifier: GPL-3.0-or-later
// File > Hex View: enabled for exactly one selected file, it shows the Hex View window at
// the file's recorded match.
#include "framework/command_actions.h"
#include "fs/file_attributes.h"
#include "results/hex_view_dialog.h"
#include "results/hex_view_pane.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "support/found_records.h"
#include "support/sifter_app_fixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace sifter::test {
namespace {

class HexViewCommandTest : public SifterAppFixture {
protected:
    // Rows: data.bin (match at 0x25), a folder, gone.bin (no file behind it), a name that is
    // no UTF-8 beside its twin (not listed), whose U+FFFD stands where the first has its byte.
    void StartWithRows()
    {
        tree.WriteFile("files/data.bin", std::string(0x10000, 'd'));
        tree.MakeFolder("files/sub");
        tree.WriteFile("files/bad\xff.bin", "selected");
        tree.WriteFile("files/bad\xEF\xBF\xBD.bin", "the twin, longer");
        FileSearch search;
        SetSearchedFolders(search, tree.Path("files"));
        const auto add = [&](const char *name, std::uint32_t attributes, std::int64_t match) {
            auto record = std::make_unique<FoundFile>();
            record->SetName(name);
            record->SetFolder(tree.Path("files"));
            record->attributes = attributes;
            record->matchOffset = match;
            search.AppendFoundFile(std::move(record));
        };
        add("data.bin", kAttributeNormal, 0x25);
        add("sub", kAttributeFolder, 0);
        add("gone.bin", kAttributeNormal, 0);
        add("bad\xff.bin", kAttributeNormal, 0);
        ASSERT_TRUE(Start());
        ASSERT_NO_FATAL_FAILURE(OpenSearch(search, "rows.sifter"));
    }

    CHexViewDialog &Dialog() { return *Frame().GetResultsView()->HexViewDialog(); }
};

TEST_F(HexViewCommandTest, EnabledForExactlyOneSelectedFile)
{
    StartWithRows();
    Select({});
    EXPECT_FALSE(Enabled(cmd::kHexView));
    Select({0});
    EXPECT_TRUE(Enabled(cmd::kHexView));
    Select({1});
    EXPECT_FALSE(Enabled(cmd::kHexView));  // a folder
    Select({0, 2});
    EXPECT_FALSE(Enabled(cmd::kHexView));
}

TEST_F(HexViewCommandTest, ShowsTheSelectedFileAtItsMatch)
{
    StartWithRows();
    EXPECT_FALSE(Dialog().isVisible());
    Select({0});
    ASSERT_TRUE(Frame().SendCommand(cmd::kHexView));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().windowTitle(), QString::fromStdString(tree.Path("files/data.bin")));
    EXPECT_EQ(Dialog().Pane()->TopOffset(), 0x25u);
    EXPECT_EQ(Dialog().Pane()->VerticalPosition(), 2);
    EXPECT_EQ(Dialog().Pane()->FileSize(), 0x10000u);
}

TEST_F(HexViewCommandTest, TheRowMenuItemShowsTheSelectedFile)
{
    StartWithRows();
    Select({0});
    Frame().UpdateCommandUi();
    QAction *item = nullptr;
    for (const QMenu *menu : Frame().GetResultsView()->findChildren<QMenu *>()) {
        for (QAction *action : menu->actions()) {
            if (action->text() == QStringLiteral("Hex &View..."))
                item = action;
        }
    }
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    QTest::qWait(1);
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().Pane()->TopOffset(), 0x25u);
}

TEST_F(HexViewCommandTest, AFileThatIsGoneShowsNothing)
{
    StartWithRows();
    Select({2});
    Frame().SendCommand(cmd::kHexView);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Dialog().Pane()->File(), nullptr);
}

TEST_F(HexViewCommandTest, ShowsTheFileOfANameThatIsNoUtf8AndNotItsTwin)
{
    StartWithRows();
    Select({3});
    ASSERT_TRUE(Frame().SendCommand(cmd::kHexView));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().Pane()->FileSize(), std::string_view("selected").size());
}

} // namespace
} // namespace sifter::test
