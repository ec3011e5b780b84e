// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the file argument, the folder option, and the answers given on the
// terminal.
#include "app/command_line.h"
#include "support/qt_printers.h"
#include "text/translation.h"

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
    EXPECT_EQ(FolderOptionText(Args({"/f:/home/me/Work"})), QStringLiteral("/home/me/Work"));
    EXPECT_EQ(FolderOptionText(Args({"/F:/upper"})), QStringLiteral("/upper"));
    EXPECT_EQ(FolderOptionText(Args({"/F:/first", "/f:/second"})), QStringLiteral("/second"));
    EXPECT_EQ(FolderOptionText(Args({"r.sifter", "/f:/a/My", "Work", "extra"})), QStringLiteral("/a/My Work extra"));
    EXPECT_EQ(FolderOptionText(Args({"/f:/a b"})), QStringLiteral("/a b"));
    EXPECT_EQ(FolderOptionText(Args({"/f:/a", "b"})), QStringLiteral("/a b"));
    EXPECT_EQ(FolderOptionText(Args({"/f:\"/a/b c\""})), QStringLiteral("/a/b c"));
    EXPECT_EQ(FolderOptionText(Args({"/f:\"/a/b", "c\""})), QStringLiteral("/a/b c"));
    EXPECT_EQ(FolderOptionText(Args({"/f:\"/a/b c"})), QStringLiteral("\"/a/b c"));
    EXPECT_EQ(FolderOptionText(Args({"/f:\"\""})), QString());
    // Once the option has begun, a later "/f:" is part of the folder text.
    EXPECT_EQ(FolderOptionText(Args({"/f:/x", "/f:/y"})), QStringLiteral("/x /f:/y"));
}

TEST(CommandLine, TheOptionStartsOnlyAtTheStartOfAnArgument)
{
    EXPECT_FALSE(FolderOptionText(Args({"/data/F:old/r.sifter"})));
    EXPECT_FALSE(FolderOptionText(Args({"/data/f:old/r.sifter", "x/f:y"})));
    EXPECT_EQ(FolderOptionText(Args({"/data/f:old/r.sifter", "/F:/place"})), QStringLiteral("/place"));
    EXPECT_EQ(FolderOptionText(Args({"/F:/data/f:old"})), QStringLiteral("/data/f:old"));
}

TEST(CommandLine, NoFolderOptionOrNothingAfterItGivesNothing)
{
    EXPECT_FALSE(FolderOptionText(Args({})));
    EXPECT_FALSE(FolderOptionText(Args({"r.sifter"})));
    EXPECT_FALSE(FolderOptionText(Args({"/f:"})));
    EXPECT_FALSE(FolderOptionText(Args({"x", "/F:"})));
    EXPECT_FALSE(FolderOptionText(Args({"/g:/x", "-f:/y"})));
    // The program's own name is never the option.
    EXPECT_FALSE(FolderOptionText(QStringList{QStringLiteral("/f:/bin/sifter")}));
}

TEST(CommandLine, HelpAndVersionAreAnsweredOnlyBeforeTheFolderOption)
{
    const auto version = TerminalAnswer(Args({"--version"}), QStringLiteral("1.2.3"));
    ASSERT_TRUE(version);
    EXPECT_TRUE(version->startsWith(QStringLiteral("Sifter 1.2.3\nCopyright (C) Norvane\nLicense GPL-3.0-or-later: ")))
        << version->toStdString();
    const auto help = TerminalAnswer(Args({"r.sifter", "--help"}), QStringLiteral("1"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->startsWith(QStringLiteral("Usage: sifter")));
    EXPECT_TRUE(help->contains(QStringLiteral("/f:FOLDER")));
    EXPECT_TRUE(TerminalAnswer(Args({"-h"}), QStringLiteral("1")));
    EXPECT_FALSE(TerminalAnswer(Args({"/f:/x", "--help"}), QStringLiteral("1")));
    EXPECT_FALSE(TerminalAnswer(Args({"r.sifter"}), QStringLiteral("1")));
}

TEST(CommandLine, HelpIsInTheLanguageOfTheTranslations)
{
    const Translations german("de");
    const auto help = TerminalAnswer(Args({"--help"}), QStringLiteral("1"), &german);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->startsWith(QStringLiteral("Aufruf: sifter [ERGEBNISDATEI] [/f:ORDNER]\n"))) << help->toStdString();
    const Translations none("fr");
    EXPECT_EQ(TerminalAnswer(Args({"--help"}), QStringLiteral("1"), &none), TerminalAnswer(Args({"--help"}), QStringLiteral("1")));
}

} // namespace
} // namespace sifter
