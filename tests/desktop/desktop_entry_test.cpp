// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one desktop entry file: its keys, escapes and translations, and refusing what
// is broken or hostile without harm.
#include "desktop/desktop_entry.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sifter {
namespace {

class DesktopEntryTest : public ::testing::Test {
protected:
    std::optional<DesktopEntry> Read(std::string_view content, std::string_view language = {})
    {
        return ReadDesktopEntry(tree.WriteFile("entry.desktop", content), "entry.desktop", language);
    }

    test::TempTree tree;
};

TEST_F(DesktopEntryTest, ReadsTheKeysOfTheDesktopEntryGroupOnly)
{
    const std::optional<DesktopEntry> entry = Read("# comment\n"
                                                   "[Desktop Entry]\n"
                                                   "Type=Application\n"
                                                   "Name = Text\\sViewer\n"
                                                   "Icon=viewer\n"
                                                   "Exec=viewer \"a\\\\\\\\b\" %f\n"
                                                   "TryExec=viewer\n"
                                                   "MimeType=text/plain;image/x\\;odd;;\n"
                                                   "NoDisplay=true\n"
                                                   "Hidden=false\n"
                                                   "Exec=second\n"
                                                   "[Desktop Action new]\n"
                                                   "Name=New Window\n"
                                                   "Exec=viewer --new\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->id, "entry.desktop");
    EXPECT_EQ(entry->path, tree.Path("entry.desktop"));
    EXPECT_EQ(entry->name, "Text Viewer");
    EXPECT_EQ(entry->icon, "viewer");
    // The string escapes are undone once; Exec's own quoting is left for its parser.
    EXPECT_EQ(entry->exec, "viewer \"a\\\\b\" %f");
    EXPECT_EQ(entry->tryExec, "viewer");
    EXPECT_EQ(entry->mimeTypes, (std::vector<std::string>{"text/plain", "image/x;odd"}));
    EXPECT_TRUE(entry->noDisplay);
    EXPECT_FALSE(entry->hidden);
    EXPECT_FALSE(entry->terminal);
}

TEST_F(DesktopEntryTest, PicksTheNameOfTheLanguageThenOfItsCountry)
{
    const std::string content = "[Desktop Entry]\nType=Application\nExec=v\nName=Viewer\nName[de]=Betrachter\n"
                                "Name[de_AT]=Anschauer\n";
    EXPECT_EQ(Read(content, "de_AT")->name, "Anschauer");
    EXPECT_EQ(Read(content, "de_DE")->name, "Betrachter");
    EXPECT_EQ(Read(content, "fr_FR")->name, "Viewer");
    EXPECT_EQ(Read(content)->name, "Viewer");
}

TEST_F(DesktopEntryTest, RefusesEntriesWithoutTheirKeys)
{
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Application\nName=V\n"));
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Application\nExec=v\n"));
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Application\nName=\nExec=v\n"));
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Link\nName=V\nExec=v\n"));
    EXPECT_FALSE(Read("[Other]\nType=Application\nName=V\nExec=v\n"));
    EXPECT_FALSE(Read(""));
}

TEST_F(DesktopEntryTest, RefusesBinaryJunkAndInvalidUtf8)
{
    static constexpr char kWithNul[] = "[Desktop Entry]\nType=Application\nName=V\0x\nExec=v\n";
    EXPECT_FALSE(Read(std::string_view(kWithNul, sizeof kWithNul - 1)));
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Application\nName=V\xff\nExec=v\n"));
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    EXPECT_FALSE(Read(junk));
}

TEST_F(DesktopEntryTest, ReadsHugeLinesWithinTheLimitAndRefusesLargerFiles)
{
    const std::string longName(kMaxDesktopEntryBytes - 100, 'n');
    const std::optional<DesktopEntry> entry = Read("[Desktop Entry]\nType=Application\nExec=v\nName=" + longName);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, longName);
    EXPECT_FALSE(Read("[Desktop Entry]\nType=Application\nExec=v\nName=" + std::string(kMaxDesktopEntryBytes, 'n')));
}

TEST_F(DesktopEntryTest, RefusesWhatIsNoRegularFileWithoutBlocking)
{
    ASSERT_EQ(mkfifo(tree.Path("fifo.desktop").c_str(), 0600), 0);
    EXPECT_FALSE(ReadDesktopEntry(tree.Path("fifo.desktop"), "fifo.desktop", {}));
    EXPECT_FALSE(ReadDesktopEntry(tree.MakeFolder("folder.desktop"), "folder.desktop", {}));
    EXPECT_FALSE(ReadDesktopEntry(tree.Path("missing.desktop"), "missing.desktop", {}));
}

TEST_F(DesktopEntryTest, TryExecNeedsAProgramThatCanRun)
{
    DesktopEntry entry;
    EXPECT_TRUE(DesktopEntryTryExecPasses(entry));
    entry.tryExec = "sh";
    EXPECT_TRUE(DesktopEntryTryExecPasses(entry));
    entry.tryExec = "no-such-program-anywhere";
    EXPECT_FALSE(DesktopEntryTryExecPasses(entry));
    entry.tryExec = tree.WriteFile("plain", "not executable");
    EXPECT_FALSE(DesktopEntryTryExecPasses(entry));
    ASSERT_EQ(chmod(entry.tryExec.c_str(), 0700), 0);
    EXPECT_TRUE(DesktopEntryTryExecPasses(entry));
    entry.tryExec = "bin/relative";
    EXPECT_FALSE(DesktopEntryTryExecPasses(entry));
}

TEST(DesktopStringTest, AnEscapedValueReadsBackAsItsText)
{
    for (std::string_view text : {"plain", "a\\b", "\\s literal", "two\nlines\tand\rreturn", " leading blank", "\\"}) {
        const std::string value = EscapeDesktopString(text);
        EXPECT_EQ(value.find_first_of("\n\t\r"), std::string::npos) << value;
        std::string line = "[Desktop Entry]\nKey=" + value + "\n";
        ForEachDesktopKey(line, [text](std::string_view, std::string_view, std::string_view read) {
            EXPECT_EQ(UnescapeDesktopString(read), text);
        });
    }
}

TEST(DesktopStringTest, ListItemsWithSemicolonsAndBackslashesReadBackAsTheyWere)
{
    // An escaped backslash before ";" leaves the ";" to end the item.
    EXPECT_EQ(SplitDesktopList("a\\\\;b;c\\;d;"), (std::vector<std::string>{"a\\", "b", "c;d"}));
    const std::vector<std::string> items{"plain", "semi;colon", "back\\slash", "ends\\", " blank ", "new\nline"};
    std::string value;
    for (const std::string &item : items)
        value += EscapeDesktopListItem(item) + ";";
    EXPECT_EQ(SplitDesktopList(value), items) << value;
}

TEST(DesktopStringTest, BlanksAtTheEndOfAnEscapedValueSurviveTheTrimmingOfItsLine)
{
    for (std::string_view text : {"trailing blank ", " both ", " ", "  ", "x  "}) {
        const std::string value = EscapeDesktopString(text);
        int read = 0;
        ForEachDesktopKey("[Desktop Entry]\nKey=" + value + "\n", [&](std::string_view, std::string_view, std::string_view got) {
            ++read;
            EXPECT_EQ(UnescapeDesktopString(got), text) << value;
        });
        EXPECT_EQ(read, 1);
    }
}

} // namespace
} // namespace sifter
