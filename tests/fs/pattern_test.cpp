// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/folder_listing.h"

#include "support/scoped_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace sifter {
namespace {

TEST(PatternMatches, PlainPatternMatchesOnlyTheWholeName)
{
    EXPECT_TRUE(PatternMatches("report.txt", "report.txt"));
    EXPECT_FALSE(PatternMatches("report", "report.txt"));
    EXPECT_FALSE(PatternMatches("port.txt", "report.txt"));
    EXPECT_FALSE(PatternMatches("report.txt", "report.txt2"));
    EXPECT_FALSE(PatternMatches("", "a"));
}

TEST(PatternMatches, IgnoresCaseOfAsciiLetters)
{
    EXPECT_TRUE(PatternMatches("README.TXT", "readme.txt"));
    EXPECT_TRUE(PatternMatches("*.TxT", "Notes.tXt"));
    EXPECT_FALSE(PatternMatches("readme.txt", "readme.txu"));
    // Neighbours of the letters in ASCII are not letters.
    EXPECT_FALSE(PatternMatches("[", "{"));
    EXPECT_FALSE(PatternMatches("@", "`"));
}

TEST(PatternMatches, IgnoresCaseOfWholeNonAsciiCharacters)
{
    EXPECT_TRUE(PatternMatches("ÄRGER", "ärger"));
    EXPECT_TRUE(PatternMatches("*ÄRGER*", "großer ärger.txt"));
    EXPECT_TRUE(PatternMatches("привет.*", "ПРИВЕТ.doc"));
    EXPECT_TRUE(PatternMatches("ΣΟΦΊΑ", "σοφία"));
    EXPECT_FALSE(PatternMatches("ÄRGER", "Ärgerlich"));
    // Different letters sharing a lead byte stay different.
    EXPECT_FALSE(PatternMatches("ä", "ö"));
}

TEST(PatternMatches, CaseMappingIsTheSameInEveryLocale)
{
    for (const char *locale : {"C", "tr_TR.UTF-8", "C.UTF-8"}) {
        const test::ScopedLocale scoped(LC_ALL, locale);
        if (!scoped.Active())
            continue;
        EXPECT_TRUE(PatternMatches("I*", "index")) << locale;
        // Dotless i upper-cases to I; dotted capital I has its own lower case.
        EXPECT_TRUE(PatternMatches("I", "ı")) << locale;
        EXPECT_FALSE(PatternMatches("İ", "I")) << locale;
    }
}

TEST(PatternMatches, QuestionMarkStandsForOneCharacterNotOneByte)
{
    EXPECT_TRUE(PatternMatches("?rger", "ärger"));
    EXPECT_FALSE(PatternMatches("??rger", "ärger"));
    EXPECT_TRUE(PatternMatches("a?c", "a€c"));   // 3 bytes
    EXPECT_TRUE(PatternMatches("a?c", "a😀c"));   // 4 bytes
    EXPECT_FALSE(PatternMatches("a???c", "a😀c"));
    EXPECT_TRUE(PatternMatches("???", "abc"));
    EXPECT_FALSE(PatternMatches("???", "ab"));
    EXPECT_FALSE(PatternMatches("?", ""));
}

TEST(PatternMatches, StarTakesAnyRunIncludingNone)
{
    EXPECT_TRUE(PatternMatches("*", "anything at all"));
    EXPECT_TRUE(PatternMatches("a*", "a"));
    EXPECT_TRUE(PatternMatches("*a", "a"));
    EXPECT_TRUE(PatternMatches("a*b*c", "abc"));
    EXPECT_TRUE(PatternMatches("*a*b*c*", "xxaxxbxxcxx"));
    EXPECT_FALSE(PatternMatches("*a*b*c", "abcab"));
    EXPECT_TRUE(PatternMatches("*ab*ab", "abab_abab"));
    EXPECT_TRUE(PatternMatches("**x**", "x"));
    EXPECT_TRUE(PatternMatches("*?", "ä"));
    EXPECT_FALSE(PatternMatches("*??", "ä"));
    EXPECT_TRUE(PatternMatches("*.tar.gz", "backup.2024.tar.gz"));
    EXPECT_FALSE(PatternMatches("*.tar.gz", "backup.tar.gz.part"));
}

// A star and then plain text is decided by the name's end: the same answers as the general
// matching (which the counting variant always takes), on names that end alike but for case,
// are too short or hold the text elsewhere, and where a non-ASCII letter's upper case is ASCII;
// so do the patterns of every name, taken without matching at all.
TEST(PatternMatches, AStarBeforePlainTextMatchesAsTheGeneralMatching)
{
    const char *patterns[] = {"*.h", "*.H", "*h", "*.tar.gz", "*port", "*I", "*.", "**.h", "*", "*.*"};
    const char *names[] = {"a.h",   "A.H", ".h",     "h",        "x.hh",    "file.tar.gz", "FILE.TAR.GZ",
                           "report", "por", "xi",    "x\xc4\xb1", "end.", "", "a.h.c", "\xff.h"};
    for (const char *pattern : patterns) {
        for (const char *name : names) {
            std::size_t steps = 0;
            EXPECT_EQ(PatternMatches(pattern, name), PatternMatchesCounting(pattern, name, steps))
                << pattern << " " << name;
        }
    }
    EXPECT_TRUE(PatternMatches("*I", "x\xc4\xb1")); // U+0131, dotless i
    EXPECT_TRUE(PatternMatches("*.h", "A.H"));
    EXPECT_FALSE(PatternMatches("*.h", "a.hh"));
}

TEST(PatternMatches, AnyExtensionAlsoMatchesNamesWithoutADot)
{
    EXPECT_TRUE(PatternMatches("*.*", "Makefile"));
    EXPECT_TRUE(PatternMatches("*.*", "a.b"));
    EXPECT_TRUE(PatternMatches("*.*", ".bashrc"));
    EXPECT_TRUE(PatternMatches("*.*", "."));
    EXPECT_TRUE(PatternMatches("*.*", ".."));
    EXPECT_TRUE(PatternMatches("Makefile.*", "makefile"));
    EXPECT_TRUE(PatternMatches("Makefile.*", "Makefile.am"));
    EXPECT_TRUE(PatternMatches("a*.*", "abc"));
    // The part before ".*" must still match the whole name.
    EXPECT_FALSE(PatternMatches("make.*", "Makefile"));
    EXPECT_FALSE(PatternMatches("abc.*", "abcd"));
    // A name with a dot gets no second chance.
    EXPECT_FALSE(PatternMatches("abc.*", "abcd.e"));
    // Only a final ".*" is special.
    EXPECT_FALSE(PatternMatches("*.txt", "txt"));
    EXPECT_FALSE(PatternMatches("*.*x", "abx"));
}

TEST(PatternMatches, OnlyStarAndQuestionMarkAreSpecial)
{
    EXPECT_TRUE(PatternMatches("[ab].txt", "[AB].txt"));
    EXPECT_FALSE(PatternMatches("[ab].txt", "a.txt"));
    EXPECT_TRUE(PatternMatches("a\\b", "a\\b"));
    EXPECT_FALSE(PatternMatches("a\\*", "a*b"));
    EXPECT_TRUE(PatternMatches("a+b(1)^$.txt", "A+B(1)^$.TXT"));
    EXPECT_TRUE(PatternMatches("line\nbreak", "LINE\nBREAK"));
}

TEST(PatternMatches, InvalidUtf8BytesAreSingleCharactersMatchedExactly)
{
    EXPECT_TRUE(PatternMatches("?.txt", "\xff.txt"));
    EXPECT_FALSE(PatternMatches("??.txt", "\xff.txt"));
    EXPECT_TRUE(PatternMatches("\xff*", "\xff\xfe"));
    EXPECT_TRUE(PatternMatches("*", "\xc3"));     // cut-off sequence
    EXPECT_TRUE(PatternMatches("?", "\xc3"));
    EXPECT_TRUE(PatternMatches("??", "\xc0\xaf")); // overlong "/" is two bytes, not one character
    EXPECT_FALSE(PatternMatches("?", "\xc0\xaf"));
    EXPECT_TRUE(PatternMatches("??", "\xed\xa0")); // surrogate lead and a lone continuation byte
    // Latin-1 Ä and ä are not letters here, so no case mapping joins them.
    EXPECT_FALSE(PatternMatches("\xc4", "\xe4"));
    // An invalid byte never equals a character it might look like after decoding.
    EXPECT_FALSE(PatternMatches("\xe4", "ä"));
}

TEST(PatternMatches, LongNamesAndManyStarsFinishWithoutExponentialBacktracking)
{
    const std::string name(255, 'a');
    EXPECT_TRUE(PatternMatches("*", name));
    EXPECT_TRUE(PatternMatches("*a", name));
    EXPECT_FALSE(PatternMatches("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(PatternMatches("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", name));
    const std::string umlauts = [] {
        std::string text;
        for (int i = 0; i < 127; ++i)
            text += "ä";
        return text;
    }();
    EXPECT_FALSE(PatternMatches("*Ä*Ä*Ä*Ä*Ä*Ä*Ä*Ä*Ä*Ä*Ä*Ä*b", umlauts));
    EXPECT_TRUE(PatternMatches(std::string(127, '?'), umlauts));
    EXPECT_FALSE(PatternMatches(std::string(126, '?'), umlauts));
}

} // namespace
} // namespace sifter
