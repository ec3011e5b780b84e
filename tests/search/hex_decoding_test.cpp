// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/hex_decoding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sifter {
namespace {

using ::testing::ElementsAre;

std::string Decoded(std::string text)
{
    DecodeHexPhrase(text);
    return text;
}

TEST(HexDecodingTest, DigitPairsOfEitherCaseGiveTheirBytes)
{
    EXPECT_EQ(Decoded("0a"), "\x0a");
    EXPECT_EQ(Decoded("0A"), "\x0a");
    EXPECT_EQ(Decoded("FF"), "\xff");
    EXPECT_EQ(Decoded("ff00"), std::string("\xff\x00", 2));
    EXPECT_EQ(Decoded("4142"), "AB");
}

TEST(HexDecodingTest, BlankBecomesTheByte20)
{
    EXPECT_EQ(Decoded("41 42"), "A B");
    EXPECT_EQ(Decoded("41  42"), "A  B");
    EXPECT_EQ(Decoded(" 41"), " A");
}

TEST(HexDecodingTest, InvalidTextsAreRejected)
{
    std::string out = "untouched";
    for (const char *text : {"4", "4G", "41 2", "4 1", "G4", "41\t42", "0x41", "\xC3\xA4"}) {
        EXPECT_FALSE(DecodeHexText(text, out)) << text;
        EXPECT_EQ(out, "untouched");
    }
}

TEST(HexDecodingTest, InvalidPhraseStaysAsItWas)
{
    std::string phrase = "41 2";
    EXPECT_TRUE(DecodeHexPhrase(phrase));
    EXPECT_EQ(phrase, "41 2");
}

TEST(HexDecodingTest, NonAsciiLettersThatUpperCaseToAsciiAreStillInvalid)
{
    std::string out;
    // Dotless i and long s upper-case to I and S, which are no digits.
    EXPECT_FALSE(DecodeHexText("\xC4\xB1" "1", out));
    EXPECT_FALSE(DecodeHexText("\xC5\xBF" "1", out));
}

TEST(HexDecodingTest, WordsDecodeInPlaceUntilTheFirstInvalidOne)
{
    std::vector<std::string> words{"41", "zz", "42"};
    EXPECT_FALSE(DecodeHexWords(words));
    EXPECT_THAT(words, ElementsAre("A", "zz", "42"));

    std::vector<std::string> valid{"0a", "0A", "ff"};
    EXPECT_TRUE(DecodeHexWords(valid));
    EXPECT_THAT(valid, ElementsAre("\x0a", "\x0a", "\xff"));
}

} // namespace
} // namespace sifter
