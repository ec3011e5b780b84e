// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/code_page.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace sifter {
namespace {

// "Grüße" in UTF-8: ü is C3 BC, ß is C3 9F.
const std::string kGruesse = "Gr\xC3\xBC\xC3\x9F" "e";

TEST(CodePageToUtf16, ConvertsGruesseToFiveUnits)
{
    std::u16string units;
    ASSERT_TRUE(CodePageToUtf16(kGruesse, units));
    EXPECT_EQ(units, u"Gr\u00FC\u00DFe");
    EXPECT_EQ(Utf16LittleEndianBytes(units), std::string("G\0r\0\xFC\0\xDF\0e\0", 10));
}

TEST(CodePageToUtf16, CharactersOutsideTheBmpBecomeSurrogatePairs)
{
    std::u16string units;
    ASSERT_TRUE(CodePageToUtf16("\xF0\x9F\x98\x80!", units)); // U+1F600
    EXPECT_EQ(units, std::u16string({0xD83D, 0xDE00, u'!'}));
    EXPECT_EQ(Utf16LittleEndianBytes(units), std::string("\x3D\xD8\x00\xDE!\0", 6));
}

TEST(CodePageToUtf16, InvalidBytesStandForReplacementCharacters)
{
    std::u16string units;
    // A stray continuation byte, an overlong "/", an encoded surrogate, a cut-off sequence.
    ASSERT_TRUE(CodePageToUtf16("a\x80" "b\xC0\xAF" "c\xED\xA0\x80" "d\xE2\x82", units));
    EXPECT_EQ(units, u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFDd\uFFFD\uFFFD");
}

TEST(CodePageToUtf16, EmptyTextFails)
{
    std::u16string units = u"old";
    EXPECT_FALSE(CodePageToUtf16("", units));
    EXPECT_TRUE(units.empty());
}

TEST(CodePageToUtf16, ExactlyTheLimitPassesOneMoreFails)
{
    std::u16string units;
    EXPECT_TRUE(CodePageToUtf16(std::string(kMaxUtf16Units, 'x'), units));
    EXPECT_EQ(units.size(), kMaxUtf16Units);
    EXPECT_FALSE(CodePageToUtf16(std::string(kMaxUtf16Units + 1, 'x'), units));
    EXPECT_TRUE(units.empty());
    // 511 units and a pair would need 513.
    EXPECT_FALSE(CodePageToUtf16(std::string(kMaxUtf16Units - 1, 'x') + "\xF0\x9F\x98\x80", units));
    EXPECT_TRUE(CodePageToUtf16(std::string(kMaxUtf16Units - 2, 'x') + "\xF0\x9F\x98\x80", units));
    EXPECT_EQ(units.size(), kMaxUtf16Units);
    // 256 two-byte characters are 512 bytes but only 256 units.
    std::string umlauts;
    for (int i = 0; i < 512; ++i)
        umlauts += "\xC3\xBC";
    EXPECT_TRUE(CodePageToUtf16(umlauts, units));
    EXPECT_FALSE(CodePageToUtf16(umlauts + "\xC3\xBC", units));
}

TEST(Utf16ToUtf8, ConvertsGruesseBack)
{
    std::string bytes;
    ASSERT_TRUE(Utf16ToUtf8(u"Gr\u00FC\u00DFe", bytes));
    EXPECT_EQ(bytes, kGruesse);
    ASSERT_TRUE(Utf16ToUtf8(std::u16string({0xD83D, 0xDE00}), bytes));
    EXPECT_EQ(bytes, "\xF0\x9F\x98\x80");
}

TEST(Utf16ToUtf8, UnpairedSurrogatesBecomeReplacementCharacters)
{
    std::string bytes;
    ASSERT_TRUE(Utf16ToUtf8(std::u16string({u'a', 0xD83D, u'b', 0xDE00, 0xD800}), bytes));
    EXPECT_EQ(bytes, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf16ToUtf8, ExactlyTheLimitPassesOneMoreFails)
{
    std::string bytes = "old";
    EXPECT_FALSE(Utf16ToUtf8(u"", bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(Utf16ToUtf8(std::u16string(kMaxUtf8Bytes, u'x'), bytes));
    EXPECT_EQ(bytes.size(), kMaxUtf8Bytes);
    EXPECT_FALSE(Utf16ToUtf8(std::u16string(kMaxUtf8Bytes + 1, u'x'), bytes));
    EXPECT_TRUE(bytes.empty());
    // 256 ü are 512 bytes; one more ü does not fit, nor does an x after 511 bytes of ü.
    const std::u16string umlauts(256, u'\u00FC');
    EXPECT_TRUE(Utf16ToUtf8(umlauts, bytes));
    EXPECT_EQ(bytes.size(), 512u);
    EXPECT_FALSE(Utf16ToUtf8(umlauts + u"x", bytes));
}

TEST(CodePageRoundTrip, ValidTextSurvivesBothConversions)
{
    const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80z"; // a ä € 😀 z
    std::u16string units;
    std::string back;
    ASSERT_TRUE(CodePageToUtf16(text, units));
    ASSERT_TRUE(Utf16ToUtf8(units, back));
    EXPECT_EQ(back, text);
}

TEST(UpperCase, TurnsWholeCharactersToUpperCase)
{
    EXPECT_EQ(UpperCase("\xC3\xA4rger"), "\xC3\x84RGER");             // ärger -> ÄRGER
    EXPECT_EQ(UpperCase("stra\xC3\x9F" "e"), "STRA\xC3\x9F" "E");      // ß stays one character
    EXPECT_EQ(UpperCase("\xCF\x80\xCE\xB1"), "\xCE\xA0\xCE\x91");     // πα -> ΠΑ
    EXPECT_EQ(UpperCase("\xD0\xB6"), "\xD0\x96");                       // ж -> Ж
    EXPECT_EQ(UpperCase("\xF0\x90\x90\xA8"), "\xF0\x90\x90\x80");      // Deseret: outside the BMP
    EXPECT_EQ(UpperCase("caf\xC3\xA9 2024!"), "CAF\xC3\x89 2024!");
    EXPECT_EQ(UpperCase(""), "");
}

TEST(UpperCase, MayChangeTheByteLength)
{
    // ı (2 bytes) -> I (1 byte); ɐ (2 bytes) -> Ɐ (3 bytes).
    EXPECT_EQ(UpperCase("\xC4\xB1"), "I");
    EXPECT_EQ(UpperCase("\xC9\x90"), "\xE2\xB1\xAF");
}

TEST(UpperCase, InvalidBytesAreCopiedUnchanged)
{
    const std::string broken = "a\xFF" "b\xC3" "c\xE2\x82\x80\xC0\xAF\xED\xA0\x80z";
    EXPECT_EQ(UpperCase(broken), "A\xFF" "B\xC3" "C\xE2\x82\x80\xC0\xAF\xED\xA0\x80Z");
    // A lead byte of ä cut off before its end must not swallow the next letter.
    EXPECT_EQ(UpperCase("\xC3"), "\xC3");
    EXPECT_EQ(UpperCase("\xC3" "a"), "\xC3" "A");
}

TEST(UpperCaseAscii, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCaseAscii("abc xyz \xC3\xA4\xFF{}`@"), "ABC XYZ \xC3\xA4\xFF{}`@");
}

// Compiles a locale into a temporary folder when the system has it only as a source.
class TurkishLocale {
public:
    TurkishLocale()
    {
        if (const char *old = std::setlocale(LC_ALL, nullptr))
            oldLocale_ = old;
        if (std::setlocale(LC_ALL, "tr_TR.UTF-8")) {
            active_ = true;
            return;
        }
        if (access("/usr/share/i18n/locales/tr_TR", R_OK) != 0)
            return;
        const std::string target = tree_.Path("tr_TR.UTF-8");
        const char *argv[] = {"localedef", "-i", "tr_TR", "-f", "UTF-8", target.c_str(), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "localedef", nullptr, nullptr, const_cast<char **>(argv), environ) != 0)
            return;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
            return; // localedef exits 1 for mere warnings
        setenv("LOCPATH", tree_.Root().c_str(), 1);
        active_ = std::setlocale(LC_ALL, "tr_TR.UTF-8") != nullptr;
    }
    ~TurkishLocale()
    {
        std::setlocale(LC_ALL, oldLocale_.c_str());
        unsetenv("LOCPATH");
    }
    TurkishLocale(const TurkishLocale &) = delete;
    TurkishLocale &operator=(const TurkishLocale &) = delete;
    bool Active() const { return active_; }

private:
    test::TempTree tree_;
    std::string oldLocale_ = "C";
    bool active_ = false;
};

void ExpectTurkishLettersFoldLocaleIndependently()
{
    EXPECT_EQ(UpperCase("i"), "I");                 // never İ
    EXPECT_EQ(UpperCase("\xC4\xB1"), "I");          // ı -> I
    EXPECT_EQ(UpperCase("\xC4\xB0"), "\xC4\xB0");   // İ stays
    EXPECT_EQ(UpperCase("istanbul"), "ISTANBUL");
    EXPECT_EQ(UpperCaseAscii("i"), "I");
}

TEST(UpperCase, TurkishIFoldsTheSameInTheCLocale)
{
    ExpectTurkishLettersFoldLocaleIndependently();
}

TEST(UpperCase, TurkishIFoldsTheSameUnderATurkishLocale)
{
    TurkishLocale turkish;
    if (!turkish.Active())
        GTEST_SKIP() << "no tr_TR.UTF-8 locale and none could be compiled";
    // The C library itself would fold i to İ here.
    ASSERT_EQ(std::towupper(L'i'), L'\u0130');
    ExpectTurkishLettersFoldLocaleIndependently();
}

TEST(CutToField, NeverSplitsACharacter)
{
    // "aü" is 3 bytes; a 3-byte field holds 2 bytes, which would cut ü in half.
    EXPECT_EQ(CutToField("a\xC3\xBC", 3), "a");
    EXPECT_EQ(CutToField("a\xC3\xBC", 4), "a\xC3\xBC");
    EXPECT_EQ(CutToField("ab\xE2\x82\xAC", 4), "ab");       // € is 3 bytes
    EXPECT_EQ(CutToField("ab\xE2\x82\xAC", 5), "ab");
    EXPECT_EQ(CutToField("ab\xE2\x82\xAC", 6), "ab\xE2\x82\xAC");
    EXPECT_EQ(CutToField("a\xF0\x9F\x98\x80", 5), "a");     // 😀 is 4 bytes
    EXPECT_EQ(CutToField("a\xF0\x9F\x98\x80" "b", 6), "a\xF0\x9F\x98\x80");
}

TEST(CutToField, PlainAndShortTexts)
{
    EXPECT_EQ(CutToField("abcdef", 4), "abc");
    EXPECT_EQ(CutToField("abc", 4), "abc");
    EXPECT_EQ(CutToField("abc", 1), "");
    EXPECT_EQ(CutToField("abc", 0), "");
    EXPECT_EQ(CutToField(std::string(600, 'n'), 512).size(), 511u);
}

TEST(CutToField, InvalidBytesCountAsSingleCharacters)
{
    // Stray continuation bytes and a lead byte with no tail may be cut anywhere.
    EXPECT_EQ(CutToField("a\x80\x80\x80\x80", 3), "a\x80");
    EXPECT_EQ(CutToField("a\xC3" "bc", 3), "a\xC3");
    // An overlong form is not one character: its bytes stand alone.
    EXPECT_EQ(CutToField("a\xC0\xAF", 3), "a\xC0");
}

TEST(CharacterCount, CountsSequencesAndInvalidBytes)
{
    EXPECT_EQ(CharacterCount(""), 0u);
    EXPECT_EQ(CharacterCount(kGruesse), 5u);
    EXPECT_EQ(CharacterCount("\xF0\x9F\x98\x80"), 1u);
    EXPECT_EQ(CharacterCount("a\xFF\x80" "b"), 4u);
    EXPECT_EQ(CharacterCount("\xE2\x82"), 2u); // cut-off sequence: two lone bytes
}

} // namespace
} // namespace sifter
