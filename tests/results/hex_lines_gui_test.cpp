// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a dump line: the label of the offset's low 32 bits, upper-case byte groups,
// and one character cell per byte.
#include "results/hex_lines.h"

#include "support/byte_values.h"

#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

using test::Bytes;

TEST(HexLinesTest, WholeLineFillsSixtyOneCellsBeforeItsCharacters)
{
    const QString text = HexLineText(0x50, "ABCDEFGHIJKLMNO\xff");
    EXPECT_EQ(text, QStringLiteral("00000050H: 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F FF   "));
    EXPECT_EQ(text.size(), kHexCharactersCell);
}

TEST(HexLinesTest, ShortLineHasOnlyItsOwnGroups)
{
    EXPECT_EQ(HexLineText(0x60, Bytes({0x0a, 0xbc, 0x00, 0x7f})), QStringLiteral("00000060H: 0A BC 00 7F   "));
}

TEST(HexLinesTest, LabelShowsTheLowThirtyTwoBitsOfALargeOffset)
{
    EXPECT_EQ(HexLineText(0x1'2345'6780ull, "x").left(11), QStringLiteral("23456780H: "));
    EXPECT_EQ(HexLineText(0xFFFF'FFFF'FFFF'FFF0ull, "x").left(11), QStringLiteral("fffffff0H: "));
}

TEST(HexLinesTest, ControlBytesAreDotsAndBlankIsBlank)
{
    const QStringList cells = HexLineCharacters(Bytes({0x09, 0x0a, 0x0d, 0x7f, 0x20, 0x00, 0x1f, 'a', '~'}));
    EXPECT_EQ(cells, (QStringList{".", ".", ".", ".", " ", ".", ".", "a", "~"}));
}

TEST(HexLinesTest, WholeUtf8CharacterTakesItsLeadCellAndLeavesTheOthersEmpty)
{
    // "é" (C3 A9) and "€" (E2 82 AC): one cell per byte still.
    const QStringList cells = HexLineCharacters("x\xc3\xa9y\xe2\x82\xac");
    EXPECT_EQ(cells, (QStringList{"x", QString::fromUtf8("\xc3\xa9"), "", "y", QString::fromUtf8("\xe2\x82\xac"), "", ""}));
}

TEST(HexLinesTest, BrokenCutOrUnprintableHighBytesAreDots)
{
    // A lone continuation byte, a lead byte without its continuation, an overlong form,
    // a C1 control (C2 85) and a combining accent (CC 81) each show as dots.
    EXPECT_EQ(HexLineCharacters(Bytes({0x80, 0xc3, 0x41, 0xc0, 0xaf, 0xc2, 0x85, 0xcc, 0x81})),
              (QStringList{".", ".", "A", ".", ".", ".", ".", ".", "."}));
    // A character cut by the end of the line is not drawn whole in a line it does not fit.
    const std::string line = std::string(15, 'a') + "\xc3";
    const QStringList cells = HexLineCharacters(line + "\xa9");
    ASSERT_EQ(cells.size(), 16);
    EXPECT_EQ(cells.last(), QStringLiteral("."));
}

TEST(HexLinesTest, EveryByteValueGivesExactlyOneCell)
{
    for (int byte = 0; byte < 256; ++byte) {
        const QStringList cells = HexLineCharacters(Bytes({byte}));
        ASSERT_EQ(cells.size(), 1) << byte;
        EXPECT_EQ(cells[0].size(), 1) << byte;
    }
}

} // namespace
} // namespace sifter
