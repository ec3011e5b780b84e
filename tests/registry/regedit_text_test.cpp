// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/regedit_text.h"
#include "support/byte_values.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace sifter {
namespace {

using test::Bytes;

constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

RegistryNode Parse(std::string_view text, RegeditParseResult *result = nullptr)
{
    RegistryNode root;
    const RegeditParseResult parsed = ParseRegeditText(text, kRoot, root);
    if (result)
        *result = parsed;
    return root;
}

const RegistryNode *Key(const RegistryNode &root, std::initializer_list<std::string_view> names)
{
    const RegistryNode *key = &root;
    for (std::string_view name : names) {
        key = key ? key->FindSubkey(name) : nullptr;
    }
    return key;
}

RegistryNode RoundTrip(const RegistryNode &root, RegeditParseResult *result = nullptr)
{
    return Parse(WriteRegeditText(root, kRoot), result);
}

TEST(RegeditText, EveryTypeSurvivesWriteAndRead)
{
    RegistryNode root;
    RegistryNode &key = root.AddSubkey("Software").AddSubkey("Norvane");
    key.SetValue("Text", RegistryType::String, std::string("hello \"world\" C:\\Temp", 22) + '\0');
    key.SetValue("Empty", RegistryType::String, std::string(1, '\0'));
    key.SetValue("Number", RegistryType::Dword, Bytes({0x78, 0x56, 0x34, 0x12}));
    key.SetValue("Blob", RegistryType::Binary, Bytes({0x00, 0xFF, 0x10, 0x80}));
    key.SetValue("NoBytes", RegistryType::Binary, "");
    key.SetValue("Multi", RegistryType::MultiString, Bytes({'a', 0, 'b', 0, 0}));
    key.SetValue("Odd", static_cast<RegistryType>(0x12345678), "xyz");
    key.SetValue("", RegistryType::String, std::string("default") + '\0');
    key.SetValue("ShortDword", RegistryType::Dword, Bytes({1, 2}));

    RegeditParseResult result;
    const RegistryNode back = RoundTrip(root, &result);
    EXPECT_TRUE(result.recognised);
    EXPECT_FALSE(result.Lossy());
    EXPECT_TRUE(back == root);
}

TEST(RegeditText, WritesPlainFormsWhereTheyAreExact)
{
    RegistryNode root;
    RegistryNode &key = root.AddSubkey("A");
    key.SetValue("S", RegistryType::String, std::string("a\\b\"c") + '\0');
    key.SetValue("D", RegistryType::Dword, Bytes({0x0A, 0, 0, 0}));
    key.SetValue("B", RegistryType::Binary, Bytes({1, 0xAB}));
    key.SetValue("", RegistryType::String, std::string("x") + '\0');
    EXPECT_EQ(WriteRegeditText(root, kRoot), "REGEDIT4\n"
                                            "\n"
                                            "[HKEY_CURRENT_USER\\A]\n"
                                            "\"S\"=\"a\\\\b\\\"c\"\n"
                                            "\"D\"=dword:0000000a\n"
                                            "\"B\"=hex:01,ab\n"
                                            "@=\"x\"\n");
}

TEST(RegeditText, TextsThatAreNotExactAsQuotedTextBecomeHexOne)
{
    RegistryNode root;
    RegistryNode &key = root.AddSubkey("A");
    key.SetValue("Latin1", RegistryType::String, Bytes({'c', 0xE9, 0}));      // not UTF-8
    key.SetValue("NoZero", RegistryType::String, "abc");                      // no terminator
    key.SetValue("Inner", RegistryType::String, Bytes({'a', 0, 'b', 0}));     // zero inside
    key.SetValue("Newline", RegistryType::String, std::string("a\nb") + '\0'); // would break the line
    key.SetValue("Nothing", RegistryType::String, "");                        // no bytes at all
    const std::string text = WriteRegeditText(root, kRoot);
    EXPECT_NE(text.find("\"Latin1\"=hex(1):63,e9,00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"NoZero\"=hex(1):61,62,63\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Nothing\"=hex(1):\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(RoundTrip(root) == root);
}

TEST(RegeditText, UnicodeTextStaysReadable)
{
    RegistryNode root;
    root.AddSubkey("A").SetValue("Folder", RegistryType::String, std::string("/home/jörg/Документы") + '\0');
    const std::string text = WriteRegeditText(root, kRoot);
    EXPECT_NE(text.find("\"Folder\"=\"/home/jörg/Документы\"\n"), std::string::npos);
    EXPECT_TRUE(RoundTrip(root) == root);
}

TEST(RegeditText, LongBinaryWrapsAndReadsBack)
{
    RegistryNode root;
    std::string blob;
    for (int i = 0; i < 120; ++i)
        blob.push_back(static_cast<char>(i * 7));
    root.AddSubkey("A").SetValue("Columns", RegistryType::Binary, blob);
    const std::string text = WriteRegeditText(root, kRoot);
    std::size_t longest = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    EXPECT_LE(longest, 80u);
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
    RegeditParseResult result;
    EXPECT_TRUE(RoundTrip(root, &result) == root);
    EXPECT_FALSE(result.Lossy());
}

TEST(RegeditText, KeysAreWrittenDepthFirstWithEmptyKeysIncluded)
{
    RegistryNode root;
    root.AddSubkey("b").AddSubkey("Inner");
    root.AddSubkey("A");
    EXPECT_EQ(WriteRegeditText(root, kRoot), "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\n[HKEY_CURRENT_USER\\b]\n\n"
                                            "[HKEY_CURRENT_USER\\b\\Inner]\n");
}

TEST(RegeditText, KeysThatTheTextOnlyImpliedAreNotWrittenAndTheNamedOnesAre)
{
    const std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\a\\b\\c]\n\"v\"=\"1\"\n\n"
                             "[HKEY_CURRENT_USER\\a]\n\n[HKEY_CURRENT_USER\\x\\y]\n";
    const RegistryNode root = Parse(text);
    EXPECT_TRUE(Key(root, {"a"})->Named());
    EXPECT_FALSE(Key(root, {"a", "b"})->Named());
    EXPECT_EQ(WriteRegeditText(root, kRoot), "REGEDIT4\n\n[HKEY_CURRENT_USER\\a]\n\n[HKEY_CURRENT_USER\\a\\b\\c]\n"
                                            "\"v\"=\"1\"\n\n[HKEY_CURRENT_USER\\x\\y]\n");
    // What this program writes names every key, and reads back to the same bytes.
    const std::string own = WriteRegeditText(RoundTrip(root), kRoot);
    RegistryNode built;
    built.AddSubkey("a").AddSubkey("b").AddSubkey("c").SetValue("v", RegistryType::String, "1");
    const std::string written = WriteRegeditText(built, kRoot);
    EXPECT_EQ(written, "REGEDIT4\n\n[HKEY_CURRENT_USER\\a]\n\n[HKEY_CURRENT_USER\\a\\b]\n\n"
                       "[HKEY_CURRENT_USER\\a\\b\\c]\n\"v\"=hex(1):31\n");
    EXPECT_EQ(WriteRegeditText(Parse(written), kRoot), written);
    // A key left without subkeys is written although the text only implied it.
    RegistryNode pruned = Parse(text);
    pruned.FindSubkey("a")->FindSubkey("b")->RemoveSubkey("c");
    EXPECT_NE(WriteRegeditText(pruned, kRoot).find("[HKEY_CURRENT_USER\\a\\b]\n"), std::string::npos);
    EXPECT_EQ(own, WriteRegeditText(root, kRoot));
}

TEST(RegeditText, WritingStopsAtTheSizeGiven)
{
    RegistryNode root;
    for (int i = 0; i < 100; ++i)
        root.AddSubkey("key" + std::to_string(i)).SetValue("v", RegistryType::String, std::string(100, 'x') + '\0');
    std::string out;
    const std::string whole = WriteRegeditText(root, kRoot);
    EXPECT_TRUE(WriteRegeditText(root, kRoot, whole.size(), out));
    EXPECT_EQ(out, whole);
    EXPECT_FALSE(WriteRegeditText(root, kRoot, whole.size() - 1, out));
    EXPECT_TRUE(out.empty());
}

TEST(RegeditText, HandEditedFileWithCommentsCrlfAndUnknownTypesIsRead)
{
    const std::string text = "\xEF\xBB\xBF"
                             "\r\n"
                             "REGEDIT4\r\n"
                             "\r\n"
                             "; my settings\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Norvane]\r\n"
                             "  \"Name\" = \"value\"  \r\n"
                             "\"Count\"=DWORD:1F\r\n"
                             "\"Multi\"=hex(7):61,00,00,00\r\n"
                             "\"Wide\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                             "\"List\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "\r\n"
                             "[hkey_current_user\\software\\NORVANE\\Sub]\r\n"
                             "@=\"d\"\r\n";
    RegeditParseResult result;
    const RegistryNode root = Parse(text, &result);
    ASSERT_TRUE(result.recognised);
    EXPECT_EQ(result.skippedLines, 0u);
    EXPECT_EQ(result.droppedLines, 1u); // the comment
    EXPECT_EQ(result.firstLostLine, 4u);
    const RegistryNode *key = Key(root, {"Software", "Norvane"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Name(), "Norvane");
    ASSERT_NE(key->FindValue("name"), nullptr);
    EXPECT_EQ(key->FindValue("name")->data, std::string("value") + '\0');
    EXPECT_EQ(key->FindValue("COUNT")->data, Bytes({0x1F, 0, 0, 0}));
    EXPECT_EQ(key->FindValue("Multi")->type, RegistryType::MultiString);
    EXPECT_EQ(key->FindValue("Wide")->type, static_cast<RegistryType>(11));
    EXPECT_EQ(key->FindValue("Wide")->data.size(), 8u);
    EXPECT_EQ(key->FindValue("List")->data, Bytes({1, 2, 3, 4}));
    const RegistryNode *sub = Key(root, {"software", "norvane", "sub"});
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->FindValue("")->data, std::string("d") + '\0');
}

TEST(RegeditText, GarbageLinesAreSkippedAndTheKeysAroundThemKept)
{
    const std::string text = "REGEDIT4\n"
                             "\n"
                             "[HKEY_CURRENT_USER\\A]\n"
                             "\"Before\"=\"1\"\n"
                             "this is not a value\n"
                             "\"Broken\"=hex:zz,01\n"
                             "\"Unquoted=\"x\"\n"
                             "\"BadEscape\"=\"C:\\temp\"\n"
                             "\"BadDword\"=dword:123456789\n"
                             "\"After\"=\"2\"\n" +
                             std::string("\x01\x02\xFF\0garbage\n", 12) +
                             "[HKEY_LOCAL_MACHINE\\Other]\n"
                             "\"Foreign\"=\"x\"\n"
                             "[-HKEY_CURRENT_USER\\A]\n"
                             "[HKEY_CURRENT_USER\\Unclosed\n"
                             "[HKEY_CURRENT_USER\\Bad\\\\Path]\n"
                             "[HKEY_CURRENT_USER\\B]\n"
                             "\"Last\"=dword:00000002\n";
    RegeditParseResult result;
    const RegistryNode root = Parse(text, &result);
    ASSERT_TRUE(result.recognised);
    EXPECT_EQ(result.skippedLines, 11u);
    EXPECT_EQ(result.firstLostLine, 5u);
    const RegistryNode *a = Key(root, {"A"});
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->Values().size(), 2u);
    EXPECT_EQ(a->Values()[0].name, "Before");
    EXPECT_EQ(a->Values()[1].name, "After");
    ASSERT_NE(Key(root, {"B"}), nullptr);
    EXPECT_EQ(Key(root, {"B"})->FindValue("Last")->data, Bytes({2, 0, 0, 0}));
    EXPECT_EQ(root.SubkeyCount(), 2u);
}

TEST(RegeditText, LaterValueOfTheSameNameWinsAndCountsAsDropped)
{
    RegeditParseResult result;
    const RegistryNode root = Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"1\"\n\"X\"=\"2\"\n", &result);
    const RegistryNode *a = Key(root, {"A"});
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->Values().size(), 1u);
    EXPECT_EQ(a->Values()[0].name, "x");
    EXPECT_EQ(a->Values()[0].data, std::string("2") + '\0');
    EXPECT_EQ(result.droppedLines, 1u);
    EXPECT_EQ(result.firstLostLine, 4u);
}

TEST(RegeditText, TextWithoutTheHeaderIsNotRecognised)
{
    using namespace std::literals;
    for (std::string_view text : {""sv, "   \n\n"sv, "[HKEY_CURRENT_USER\\A]\n\"x\"=\"1\"\n"sv,
                                  "Windows Registry Editor Version 5.00\n"sv, "REGEDIT5\n"sv, "\0REGEDIT4\n"sv}) {
        RegeditParseResult result;
        const RegistryNode root = Parse(text, &result);
        EXPECT_FALSE(result.recognised) << text;
        EXPECT_EQ(root.SubkeyCount(), 0u);
    }
}

TEST(RegeditText, DanglingContinuationDoesNotSwallowTheNextKey)
{
    RegeditParseResult result;
    const RegistryNode root = Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\\n[HKEY_CURRENT_USER\\B]\n", &result);
    ASSERT_NE(Key(root, {"A"}), nullptr);
    EXPECT_EQ(Key(root, {"A"})->FindValue("x")->data, Bytes({1}));
    EXPECT_NE(Key(root, {"B"}), nullptr);
    EXPECT_FALSE(result.Lossy());
}

TEST(RegeditText, NamesWithQuotesBracketsAndEqualsSignsSurvive)
{
    RegistryNode root;
    RegistryNode &key = root.AddSubkey("a]b").AddSubkey(" spaced ");
    key.SetValue("x=\"y\"\\", RegistryType::Binary, std::string(200, 'z'));
    key.SetValue("@", RegistryType::String, std::string("at") + '\0');
    RegeditParseResult result;
    EXPECT_TRUE(RoundTrip(root, &result) == root);
    EXPECT_FALSE(result.Lossy());
}

TEST(RegeditText, KeysNestedDeeperThanTheLimitAreSkipped)
{
    std::string path = "HKEY_CURRENT_USER";
    for (std::size_t i = 0; i <= kMaxKeyDepth; ++i)
        path += "\\k";
    RegeditParseResult result;
    const RegistryNode root = Parse("REGEDIT4\n[" + path + "]\n\"v\"=\"1\"\n", &result);
    EXPECT_EQ(root.SubkeyCount(), 0u);
    EXPECT_EQ(result.skippedLines, 2u);
}

TEST(RegeditText, Utf8ValidationRejectsMalformedSequences)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xFF"));
}

} // namespace
} // namespace sifter
