// SPDX-License-Identifier: GPL-3.0-or-later
// The description of a found file in its tip and the status line: the shapes for text
// files, programs with and without a version resource, odd names, directories, and a
// label shown cut off. Programs are real PE files built in a temporary folder.
#include "results/item_description.h"

#include "framework/shown_text.h"
#include "fs/file_attributes.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/file_texts.h"
#include "support/pe_image.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace sifter {
namespace {

constexpr FileTime kModified = 133'500'000'000'000'000ULL;
constexpr FileTime kCreated = 133'400'000'000'000'000ULL;

class ItemDescriptionTest : public ::testing::Test {
protected:
    FoundFile Record(const std::string &name, std::uint64_t size, std::uint32_t attributes = kAttributeNormal)
    {
        FoundFile record;
        record.SetName(name);
        record.SetFolder(tree.Root());
        record.size = size;
        record.SetTypeName("some type");
        record.lastWriteTime = kModified;
        record.creationTime = kCreated;
        record.attributes = attributes;
        return record;
    }

    // A PE file with options under name; its record.
    FoundFile Program(const std::string &name, const test::PeImageOptions &options = {})
    {
        const std::vector<std::uint8_t> bytes = test::BuildPeImage(options);
        tree.WriteFile(name, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
        return Record(name, bytes.size());
    }

    QStringList TipLines(const FoundFile &record) const
    {
        return BuildItemDescription(&record, QLatin1Char('\n'), false).split(QLatin1Char('\n'));
    }

    QString Folder() const { return QStringLiteral("In Folder: ") + QString::fromStdString(tree.Root()); }
    static QString Created() { return QStringLiteral("Date Created: ") + QString::fromStdString(FormatFileTime(kCreated, true)); }
    static QString Size(std::uint64_t size) { return QStringLiteral("Size: ") + QString::fromStdString(FormatFileSize(size, false)); }
    // The four lines of an ordinary file.
    QStringList Ordinary(std::uint64_t size) const
    {
        return {Folder(), QStringLiteral("Type: some type"),
                QStringLiteral("Date Modified: ") + QString::fromStdString(FormatFileTime(kModified, true)), Size(size)};
    }

    test::TempTree tree;
};

TEST_F(ItemDescriptionTest, TextFileHasFolderTypeModifiedAndShortSize)
{
    const FoundFile record = Record("notes.txt", 532);
    EXPECT_EQ(TipLines(record), Ordinary(532));
    EXPECT_TRUE(Size(532).endsWith(QStringLiteral("532 bytes")));
}

TEST_F(ItemDescriptionTest, ProgramWithAFullVersionResourceHasSixLinesInOrder)
{
    const FoundFile record = Program("tool.exe");
    EXPECT_EQ(TipLines(record), (QStringList{Folder(), QStringLiteral("Description: Sample Tool"),
                                             QStringLiteral("Company: Norvane Test Works"),
                                             QStringLiteral("File Version: 1.2.3.4"), Created(),
                                             Size(record.size)}));
}

TEST_F(ItemDescriptionTest, ProgramWithoutVersionResourceOrFileHasThreeLines)
{
    test::PeImageOptions manifestOnly;
    manifestOnly.resourceType = 24;
    const FoundFile plain = Program("plain.dll", manifestOnly);
    EXPECT_EQ(TipLines(plain), (QStringList{Folder(), Created(), Size(plain.size)}));
    const FoundFile gone = Record("gone.exe", 4096);
    EXPECT_EQ(TipLines(gone), (QStringList{Folder(), Created(), Size(4096)}));
}

TEST_F(ItemDescriptionTest, OnlyTheLastExtensionCountsInAnyCase)
{
    const FoundFile backup = Program("setup.exe.bak");
    EXPECT_EQ(TipLines(backup), Ordinary(backup.size));
    const FoundFile noDot = Program("EXE");
    EXPECT_EQ(TipLines(noDot), Ordinary(noDot.size));
    const FoundFile driver = Program("DRIVER.Sys");
    EXPECT_EQ(TipLines(driver).size(), 6);
    EXPECT_EQ(TipLines(driver)[1], QStringLiteral("Description: Sample Tool"));
}

TEST_F(ItemDescriptionTest, EmptyVersionStringKeepsItsLineAndAMissingOneLeavesItOut)
{
    test::PeImageOptions options;
    options.strings = {{"FileDescription", "Tool"}, {"FileVersion", ""}};
    const FoundFile record = Program("half.exe", options);
    EXPECT_EQ(TipLines(record), (QStringList{Folder(), QStringLiteral("Description: Tool"),
                                             QStringLiteral("File Version: "), Created(), Size(record.size)}));
}

TEST_F(ItemDescriptionTest, DirectoryHasItsFolderLineOnly)
{
    tree.MakeFolder("bin.exe");
    const FoundFile record = Record("bin.exe", 0, kAttributeFolder);
    EXPECT_EQ(BuildItemDescription(&record, QLatin1Char('\n'), false), Folder());
    EXPECT_EQ(ItemInfoTip(&record, true), QStringLiteral("bin.exe\n") + Folder());
}

TEST_F(ItemDescriptionTest, StatusFormJoinsTheLinesWithBlanksAndSizesInTheAskedStyle)
{
    const FoundFile record = Record("notes.txt", 5000);
    EXPECT_EQ(BuildItemDescription(&record, QLatin1Char(' '), false), Ordinary(5000).join(QLatin1Char(' ')));
    EXPECT_TRUE(BuildItemDescription(&record, QLatin1Char(' '), true)
                    .endsWith(QStringLiteral("Size: ") + QString::fromStdString(FormatFileSize(5000, true))));
    EXPECT_EQ(BuildItemDescription(nullptr, QLatin1Char(' '), false), QString());
}

TEST_F(ItemDescriptionTest, TipOfALabelShownCutOffStartsWithTheFullName)
{
    const std::string longName = std::string(300, 'n') + " report.txt"; // longer than the stored field
    const FoundFile record = Record(longName, 10);
    const QString description = Ordinary(10).join(QLatin1Char('\n'));
    EXPECT_EQ(ItemInfoTip(&record, false), description);
    EXPECT_EQ(ItemInfoTip(&record, true), QString::fromStdString(longName) + QLatin1Char('\n') + description);
    EXPECT_EQ(ItemInfoTip(nullptr, true), QString());
}

TEST_F(ItemDescriptionTest, AMegabyteFolderIsShownBoundedWithItsEndsInTheStatusAndTheTip)
{
    FoundFile record = Record("notes.txt", 10);
    record.SetFolder("/start" + std::string(1 << 20, 'x') + "/end");
    const QString status = BuildItemDescription(&record, QLatin1Char(' '), false);
    EXPECT_TRUE(status.startsWith(QStringLiteral("In Folder: /start")));
    EXPECT_TRUE(status.contains(QStringLiteral("/end Type: some type")));
    EXPECT_LE(status.size(), kShownTextLimit + 200); // the folder bounded, the rest as it is
    const QString tip = ItemInfoTip(&record, true);
    for (const QString &line : tip.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), kShownTextLimit + 20);
}

} // namespace
} // namespace sifter
