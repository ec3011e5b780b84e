// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/thunar_actions.h"

#include "support/count_of.h"

#include <gtest/gtest.h>
#include <ostream>

namespace sifter {
namespace {

using test::CountOf;

constexpr std::string_view kProgram = "/opt/sifter/sifter";
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string OurActionFor(std::string_view program)
{
    std::string error;
    const std::optional<std::string> text = UcaTextWithOurAction("", program, error);
    const std::size_t begin = text->find("<action>");
    const std::size_t end = text->find("</action>") + std::string_view("</action>").size();
    return text->substr(begin, end - begin);
}

struct Layout {
    const char *name;
    std::string text;
};

void PrintTo(const Layout &layout, std::ostream *out)
{
    *out << layout.name;
}

std::string PrintLayout(const ::testing::TestParamInfo<Layout> &info)
{
    return info.param.name;
}

class UcaLayoutTest : public ::testing::TestWithParam<Layout> {};

TEST_P(UcaLayoutTest, AddThenRemoveGivesBackTheTextByteForByte)
{
    const std::string &text = GetParam().text;
    std::string error;
    const std::optional<std::string> added = UcaTextWithOurAction(text, kProgram, error);
    ASSERT_TRUE(added) << error;
    EXPECT_EQ(UcaTextHasOurAction(*added, error), std::optional<bool>(true));
    EXPECT_EQ(CountOf(*added, kThunarActionId), 1u);
    EXPECT_EQ(UcaTextWithOurAction(*added, kProgram, error), added);
    EXPECT_EQ(UcaTextWithoutOurAction(*added, error), std::optional<std::string>(text));
    EXPECT_EQ(UcaTextHasOurAction(text, error), std::optional<bool>(false));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, UcaLayoutTest,
    ::testing::Values(
        Layout{"AsThunarWritesIt", std::string(kDeclaration) +
                                       "<actions>\n<action>\n\t<name>Mine</name>\n\t<unique-id>1-1</unique-id>\n"
                                       "\t<command>mine %f</command>\n</action>\n</actions>\n"},
        Layout{"NoActionYet", std::string(kDeclaration) + "<actions>\n</actions>\n"},
        Layout{"Indented", "<actions>\n  <action><unique-id>a</unique-id></action>\n  </actions>"},
        Layout{"AllOnOneLine", "<actions><action><unique-id>a</unique-id></action></actions>"},
        Layout{"WindowsLineEnds", std::string("<?xml version=\"1.0\"?>\r\n<actions>\r\n<action>\r\n"
                                              "\t<unique-id>a</unique-id>\r\n</action>\r\n</actions>\r\n")},
        Layout{"ByteOrderMarkAndNonAscii", "\xEF\xBB\xBF<actions>\n<action><name>Grüße 🎉</name></action>\n</actions>\n"},
        Layout{"TwoByteOrderMarks", "\xEF\xBB\xBF\xEF\xBB\xBF<actions></actions>"},
        Layout{"CommentsAndAttributes", "<!-- top -->\n<actions version=\"2\">\n<!-- inner -->\n<action id=\"x>y\">"
                                        "<![CDATA[<action>]]></action>\n</actions>\n<!-- tail -->\n"}),
    PrintLayout);

TEST(ThunarActionsTest, FileThatDoesNotExistYetGetsAWholeDocumentWithOurAction)
{
    std::string error;
    const std::optional<std::string> text = UcaTextWithOurAction("", kProgram, error);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->starts_with(kDeclaration));
    EXPECT_EQ(UcaTextHasOurAction(*text, error), std::optional<bool>(true));
    EXPECT_NE(text->find("<command>'/opt/sifter/sifter' /f:%f</command>"), std::string::npos) << *text;
    EXPECT_NE(text->find("<directories/>"), std::string::npos);
    EXPECT_NE(text->find("<patterns>*</patterns>"), std::string::npos);
}

TEST(ThunarActionsTest, OurActionFollowsTheLineEndsOfTheFile)
{
    std::string error;
    const std::optional<std::string> added = UcaTextWithOurAction("<actions>\r\n</actions>\r\n", kProgram, error);
    ASSERT_TRUE(added);
    for (std::size_t pos = added->find('\n'); pos != std::string::npos; pos = added->find('\n', pos + 1))
        EXPECT_EQ((*added)[pos - 1], '\r') << pos;
}

TEST(ThunarActionsTest, EmptyRootElementTakesOurAction)
{
    std::string error;
    const std::optional<std::string> added = UcaTextWithOurAction("<actions/>\n", kProgram, error);
    ASSERT_TRUE(added) << error;
    EXPECT_EQ(*added, "<actions>\n" + OurActionFor(kProgram) + "\n</actions>\n");
    EXPECT_EQ(UcaTextWithoutOurAction(*added, error), std::optional<std::string>("<actions>\n</actions>\n"));
}

TEST(ThunarActionsTest, OursIsReplacedWhereItStandsAndASecondCopyDropped)
{
    const std::string mine = "<action><unique-id>mine</unique-id></action>";
    const std::string text = "<actions>\n" + OurActionFor("/old/sifter") + "\n" + mine + "\n" + OurActionFor("/other") +
                             "\n</actions>\n";
    std::string error;
    const std::optional<std::string> added = UcaTextWithOurAction(text, kProgram, error);
    ASSERT_TRUE(added) << error;
    EXPECT_EQ(*added, "<actions>\n" + OurActionFor(kProgram) + "\n" + mine + "\n</actions>\n");
}

TEST(ThunarActionsTest, RemoveTakesOnlyOursOutOfTheMiddle)
{
    const std::string before = "<actions>\n\t<action><unique-id>a</unique-id></action>\n";
    const std::string after = "\t<action><unique-id>b</unique-id></action>\n</actions>\n";
    std::string error;
    EXPECT_EQ(UcaTextWithoutOurAction(before + "\t" + OurActionFor(kProgram) + "\n" + after, error),
              std::optional<std::string>(before + after));
    // Sharing its line with another action, ours goes alone.
    const std::string shared = "<actions><action/>" + OurActionFor(kProgram) + "<action/></actions>";
    EXPECT_EQ(UcaTextWithoutOurAction(shared, error), std::optional<std::string>("<actions><action/><action/></actions>"));
}

TEST(ThunarActionsTest, OnlyATopLevelActionWithExactlyOurIdIsOurs)
{
    std::string error;
    const std::string padded = "<actions><action><unique-id>\n  sifter-folder-action\t</unique-id></action></actions>";
    EXPECT_EQ(UcaTextHasOurAction(padded, error), std::optional<bool>(true));
    for (const std::string text : {
             "<actions><action><unique-id>sifter-folder-action-2</unique-id></action></actions>",
             "<actions><group><action><unique-id>sifter-folder-action</unique-id></action></group></actions>",
             "<actions><action><name>sifter-folder-action</name></action></actions>",
             "<actions><unique-id>sifter-folder-action</unique-id></actions>",
         }) {
        EXPECT_EQ(UcaTextHasOurAction(text, error), std::optional<bool>(false)) << text;
        EXPECT_EQ(UcaTextWithoutOurAction(text, error), std::optional<std::string>(text)) << text;
    }
}

TEST(ThunarActionsTest, TextThatIsNoActionListIsRefusedWithAReason)
{
    for (const std::string_view text : {
             std::string_view("<actions>\xFF</actions>"),
             std::string_view("<menus><action/></menus>"),
             std::string_view("<actions><action>"),
             std::string_view("<actions/><actions/>"),
             std::string_view("<actions></action>"),
             std::string_view("text<actions/>"),
             std::string_view("<actions>\0</actions>", 20),
             std::string_view(" \n "),
             std::string_view("<actions>&undefined;</actions>"),
             std::string_view("<!DOCTYPE a [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
                              "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]><menus>&c;</menus>"),
             std::string_view("\xEF\xBB\xBF"),
         }) {
        std::string error;
        EXPECT_FALSE(UcaTextWithOurAction(text, kProgram, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        error.clear();
        EXPECT_FALSE(UcaTextWithoutOurAction(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_FALSE(UcaTextHasOurAction(text, error)) << text;
    }
}

TEST(ThunarActionsTest, ProgramPathIsQuotedForTheShellAndEscapedForXml)
{
    const std::string action = OurActionFor("/a b/it's <&> 100%f");
    EXPECT_NE(action.find("<command>'/a b/it'\\''s &lt;&amp;&gt; 100%%f' /f:%f</command>"), std::string::npos)
        << action;
}

} // namespace
} // namespace sifter
