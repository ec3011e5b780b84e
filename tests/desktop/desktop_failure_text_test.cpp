// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's failure reasons in the user's language: whole messages with the paths and the
// system's text in place, English as it always read.
#include "desktop/desktop_integration.h"

#include "support/scoped_env.h"
#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace sifter {
namespace {

class DesktopFailureTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::UseTempXdgFolders(tree);
        folders.dataHome = tree.Path("data");
        folders.configHome = tree.Path("config");
        folders.programPath = "/usr/bin/sifter";
    }

    std::string RegisterReason()
    {
        std::string error;
        EXPECT_FALSE(RegisterDesktopFileType(folders, error));
        return error;
    }

    std::string OnlyFolderActionFailure()
    {
        const std::vector<std::string> failures = ReadFolderActionState(folders).failures;
        return failures.size() == 1 ? failures[0] : std::string();
    }

    test::TempTree tree;
    DesktopFolders folders;
};

// One test: Qt reads the language from the environment once, so English comes first.
TEST_F(DesktopFailureTextTest, ReasonsAreWholeGermanSentencesWithTheirValuesInPlace)
{
    // A file stands where the data folder's "mime" folder must be made.
    tree.WriteFile("data/mime", "not a folder");
    const std::string packages = tree.Path("data/mime/packages");
    EXPECT_EQ(RegisterReason(), "cannot examine " + packages + ": " + std::strerror(ENOTDIR));
    // A reason of the parser's, with the file named around it.
    const std::string uca = tree.WriteFile("config/Thunar/uca.xml", "<actions>\n<action>");
    const std::string english = OnlyFolderActionFailure();
    const std::string englishStart = "Thunar: " + uca + " cannot be read as Thunar's list of custom actions (";
    const std::string englishEnd = " at line 2); it is left untouched";
    ASSERT_TRUE(english.starts_with(englishStart) && english.ends_with(englishEnd)) << english;
    const std::string parserText =
        english.substr(englishStart.size(), english.size() - englishStart.size() - englishEnd.size());

    const test::ScopedEnv language("LANGUAGE", "de");
    EXPECT_EQ(RegisterReason(), packages + " kann nicht untersucht werden: " + std::strerror(ENOTDIR));
    EXPECT_EQ(OnlyFolderActionFailure(), "Thunar: " + uca +
                                             " lässt sich nicht als Thunars Liste benutzerdefinierter Aktionen lesen (" +
                                             parserText + " in Zeile 2); die Datei bleibt unangetastet");
}

} // namespace
} // namespace sifter
