// The command line: the file argument, the folder option from the raw command line, and
// the answers given on the terminal.
#include "app/command_line.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

QStringList Args(std::initializer_list<const char *> texts)
{
    QStringList list{QStringLiteral("/usr/bin/sifter")};
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

TEST(CommandLine, RawLineIsTheArgumentsAfterTheProgramJoinedWithBlanks)
{
    EXPECT_EQ(RawCommandLine(Args({})), QString());
    EXPECT_EQ(RawCommandLine(Args({"a b.sifter", "/f:/x"})), QStringLiteral("a b.sifter /f:/x"));
}

TEST(CommandLine, FileArgumentIsTheFirstPlainArgumentBeforeTheFolderOption)
{
    EXPECT_EQ(FileArgument(Args({})), QString());
    EXPECT_EQ(FileArgument(Args({"/home/me/r.sifter"})), QStringLiteral("/home/me/r.sifter"));
    EXPECT_EQ(FileArgument(Args({"--unknown", "r.sifter", "s.sifter"})), QStringLiteral("r.sifter"));
    EXPECT_EQ(FileArgument(Args({"/f:/home/me", "Work"})), QString());
    EXPECT_EQ(FileArgument(Args({"/F:/x"})), QString());
    EXPECT_EQ(FileArgument(Args({"r.sifter", "/f:/x"})), QStringLiteral("r.sifter"));
}

TEST(CommandLine, FolderOptionTakesEverythingAfterTheLowerCaseFormFirst)
{
    EXPECT_EQ(FolderOptionText(QStringLiteral("/f:/home/me/Work")), QStringLiteral("/home/me/Work"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("/F:/upper")), QStringLiteral("/upper"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("/F:/first /f:/second")), QStringLiteral("/second"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("r.sifter /f:/a/My Work extra")), QStringLiteral("/a/My Work extra"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("/f:\"/a/b c\"")), QStringLiteral("/a/b c"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("/f:\"/a/b c")), QStringLiteral("\"/a/b c"));
    EXPECT_EQ(FolderOptionText(QStringLiteral("/f:\"\"")), QString());
}

TEST(CommandLine, NoFolderOptionOrNothingAfterItGivesNothing)
{
    EXPECT_FALSE(FolderOptionText(QString()));
    EXPECT_FALSE(FolderOptionText(QStringLiteral("r.sifter")));
    EXPECT_FALSE(FolderOptionText(QStringLiteral("/f:")));
    EXPECT_FALSE(FolderOptionText(QStringLiteral("x /F:")));
    EXPECT_FALSE(FolderOptionText(QStringLiteral("/g:/x -f:/y")));
}

TEST(CommandLine, HelpAndVersionAreAnsweredOnlyBeforeTheFolderOption)
{
    const auto version = TerminalAnswer(Args({"--version"}), QStringLiteral("1.2.3"));
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, QStringLiteral("Sifter 1.2.3\n"));
    const auto help = TerminalAnswer(Args({"r.sifter", "--help"}), QStringLiteral("1"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->startsWith(QStringLiteral("Usage: sifter")));
    EXPECT_TRUE(help->contains(QStringLiteral("/f:FOLDER")));
    EXPECT_TRUE(TerminalAnswer(Args({"-h"}), QStringLiteral("1")));
    EXPECT_FALSE(TerminalAnswer(Args({"/f:/x", "--help"}), QStringLiteral("1")));
    EXPECT_FALSE(TerminalAnswer(Args({"r.sifter"}), QStringLiteral("1")));
}

} // namespace
} // namespace sifter
