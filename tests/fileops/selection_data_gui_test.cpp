// SPDX-License-Identifier: GPL-3.0-or-later
// The file-list block byte for byte, reading it back (and refusing broken ones), and the
// formats the data object offers for Copy, Cut and a drag.
#include "fileops/selection_data.h"

#include <QUrl>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sifter::test {
namespace {

QByteArray Bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The header as the block's layout has it: the list at 20, everything else zero.
QByteArray Header()
{
    QByteArray header(20, '\0');
    header[0] = 20;
    return header;
}

TEST(FileListBlockTest, TwoPathsAreTheHeaderThenEachPathAndAZeroThenTwoZeros)
{
    const QByteArray block = BuildFileListBlock({"/A/x.txt", "/B/y.txt"});
    EXPECT_EQ(block.size(), 20 + 9 + 9 + 2);
    EXPECT_EQ(block, Header() + Bytes(std::string_view("/A/x.txt\0/B/y.txt\0\0\0", 20)));
}

TEST(FileListBlockTest, PathBytesAreKeptAsTheyAre)
{
    const std::string odd = "/t/a b\nc/-lead \xff\xfe.txt";
    const QByteArray block = BuildFileListBlock({odd});
    EXPECT_EQ(block, Header() + Bytes(odd) + QByteArray(3, '\0'));
    std::vector<std::string> paths;
    ASSERT_TRUE(ReadFileListBlock(block, paths));
    EXPECT_EQ(paths, std::vector<std::string>{odd});
}

TEST(FileListBlockTest, NoPathIsNoBlock)
{
    EXPECT_TRUE(BuildFileListBlock({}).isEmpty());
}

TEST(FileListBlockTest, ReadingGivesThePathsInOrder)
{
    const std::vector<std::string> written{"/one", "/two/2", "/three"};
    std::vector<std::string> paths{"left over"};
    ASSERT_TRUE(ReadFileListBlock(BuildFileListBlock(written), paths));
    EXPECT_EQ(paths, written);
}

TEST(FileListBlockTest, BrokenBlocksAreRefused)
{
    const QByteArray good = BuildFileListBlock({"/one", "/two"});
    std::vector<std::string> paths;
    // Cut anywhere before the empty name that ends the list.
    for (qsizetype size = 0; size < good.size() - 1; ++size) {
        paths = {"left over"};
        EXPECT_FALSE(ReadFileListBlock(good.left(size), paths)) << size;
        EXPECT_TRUE(paths.empty());
    }
    // The ending zeros overwritten: the last name runs off the end.
    QByteArray unterminated = good;
    unterminated[unterminated.size() - 1] = 'x';
    unterminated[unterminated.size() - 2] = 'x';
    unterminated[unterminated.size() - 3] = 'x';
    EXPECT_FALSE(ReadFileListBlock(unterminated, paths));

    QByteArray listOutside = good;
    listOutside[0] = static_cast<char>(good.size());
    EXPECT_FALSE(ReadFileListBlock(listOutside, paths));
    QByteArray listInHeader = good;
    listInHeader[0] = 4;
    EXPECT_FALSE(ReadFileListBlock(listInHeader, paths));
    QByteArray farAway = good;
    farAway[3] = '\x80';
    EXPECT_FALSE(ReadFileListBlock(farAway, paths));
    QByteArray wide = good;
    wide[16] = 1;
    EXPECT_FALSE(ReadFileListBlock(wide, paths));
}

TEST(FileListBlockTest, TheLastEndingZeroIsNotNeededToRead)
{
    std::vector<std::string> paths;
    ASSERT_TRUE(ReadFileListBlock(BuildFileListBlock({"/one"}).chopped(1), paths));
    EXPECT_EQ(paths, std::vector<std::string>{"/one"});
}

class SelectionDataSourceTest : public ::testing::Test {
protected:
    const std::string plain = "/t/x.txt";
    const std::string odd = "/t/-a b\nc\xff.txt";
    QByteArray block = BuildFileListBlock({plain, odd});
};

TEST_F(SelectionDataSourceTest, CopyOffersUrisGnomeCopyAndTextButNoCutMarker)
{
    const SelectionDataSource data(block, SelectionTransfer::kCopy);
    EXPECT_EQ(data.FileList(), block);
    EXPECT_EQ(data.Paths(), (std::vector<std::string>{plain, odd}));
    ASSERT_EQ(data.urls().size(), 2);
    EXPECT_EQ(data.urls()[0].toLocalFile(), QStringLiteral("/t/x.txt"));
    // The name that is not UTF-8 keeps its bytes in the URI.
    EXPECT_EQ(data.urls()[1].toEncoded(), QByteArrayLiteral("file:///t/-a%20b%0Ac%FF.txt"));
    EXPECT_EQ(data.data(QStringLiteral("text/uri-list")),
              QByteArrayLiteral("file:///t/x.txt\r\nfile:///t/-a%20b%0Ac%FF.txt\r\n"));
    EXPECT_EQ(data.data(QLatin1String(kGnomeCopiedFilesFormat)),
              QByteArrayLiteral("copy\nfile:///t/x.txt\nfile:///t/-a%20b%0Ac%FF.txt"));
    EXPECT_FALSE(data.hasFormat(QLatin1String(kKdeCutSelectionFormat)));
    EXPECT_TRUE(data.text().startsWith(QStringLiteral("/t/x.txt\n/t/-a b\nc")));
}

TEST_F(SelectionDataSourceTest, CutSaysCutToGnomeAndKde)
{
    const SelectionDataSource data(block, SelectionTransfer::kCut);
    EXPECT_EQ(data.data(QLatin1String(kGnomeCopiedFilesFormat)),
              QByteArrayLiteral("cut\nfile:///t/x.txt\nfile:///t/-a%20b%0Ac%FF.txt"));
    EXPECT_EQ(data.data(QLatin1String(kKdeCutSelectionFormat)), QByteArrayLiteral("1"));
    EXPECT_EQ(data.urls().size(), 2);
}

TEST_F(SelectionDataSourceTest, ADragOffersUrisAndTextOnly)
{
    const SelectionDataSource data(block, SelectionTransfer::kDrag);
    EXPECT_EQ(data.urls().size(), 2);
    EXPECT_TRUE(data.hasText());
    EXPECT_FALSE(data.hasFormat(QLatin1String(kGnomeCopiedFilesFormat)));
    EXPECT_FALSE(data.hasFormat(QLatin1String(kKdeCutSelectionFormat)));
}

} // namespace
} // namespace sifter::test
