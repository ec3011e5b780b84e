// SPDX-License-Identifier: GPL-3.0-or-later
// The Exec key turned into argument lists: quoting, escapes, every field code, and the
// values that must be refused rather than started.
#include "desktop/desktop_exec.h"

#include <gtest/gtest.h>

#include <random>

namespace sifter {
namespace {

const ExecFieldValues kValues{"/home/u/my file.txt", "file:///home/u/my%20file.txt", "viewer-icon", "Viewer",
                              "/usr/share/applications/viewer.desktop"};

// The arguments for the Exec value, or {"<malformed>"} when it is refused.
std::vector<std::string> Expand(std::string_view exec, const ExecFieldValues &values = kValues)
{
    const std::optional<DesktopExec> parsed = ParseDesktopExec(exec);
    if (!parsed)
        return {"<malformed>"};
    return ExpandDesktopExec(*parsed, values);
}

using Args = std::vector<std::string>;
const Args kMalformed{"<malformed>"};

TEST(DesktopExecTest, SplitsAtBlanksAndTakesQuotedArgumentsWhole)
{
    EXPECT_EQ(Expand("viewer  --new-window   %f"), (Args{"viewer", "--new-window", kValues.filePath}));
    EXPECT_EQ(Expand("\"/opt/my viewer/bin/viewer\" \"two words\" \"\""),
              (Args{"/opt/my viewer/bin/viewer", "two words", ""}));
}

TEST(DesktopExecTest, UndoesTheFourEscapesInsideQuotes)
{
    EXPECT_EQ(Expand(R"(viewer "a \"q\" \`b\` \$c \\d" 'x>y|z;')"), (Args{"viewer", "a \"q\" `b` $c \\d", "'x>y|z;'"}));
}

TEST(DesktopExecTest, ExpandsEachFieldCode)
{
    EXPECT_EQ(Expand("viewer %f"), (Args{"viewer", kValues.filePath}));
    EXPECT_EQ(Expand("viewer %F"), (Args{"viewer", kValues.filePath}));
    EXPECT_EQ(Expand("viewer %u"), (Args{"viewer", kValues.fileUri}));
    EXPECT_EQ(Expand("viewer %U"), (Args{"viewer", kValues.fileUri}));
    EXPECT_EQ(Expand("viewer %i %f"), (Args{"viewer", "--icon", "viewer-icon", kValues.filePath}));
    EXPECT_EQ(Expand("viewer --title=%c %k"), (Args{"viewer", "--title=Viewer", kValues.entryPath}));
    EXPECT_EQ(Expand("viewer 100%% \"50%%\" --open=%u"), (Args{"viewer", "100%", "50%", "--open=" + kValues.fileUri}));
}

TEST(DesktopExecTest, AnEmptyIconGivesNoIconArguments)
{
    ExecFieldValues values = kValues;
    values.icon.clear();
    EXPECT_EQ(Expand("viewer %i %f", values), (Args{"viewer", kValues.filePath}));
}

TEST(DesktopExecTest, DropsTheDeprecatedCodes)
{
    EXPECT_EQ(Expand("viewer %d %D %n %N %v %m --x%m %f"), (Args{"viewer", "--x", kValues.filePath}));
}

TEST(DesktopExecTest, TheFilesBytesArriveUnchanged)
{
    ExecFieldValues values = kValues;
    values.filePath = "/tmp/-\"odd\" name\n\xff\xfe";
    EXPECT_EQ(Expand("viewer %f", values), (Args{"viewer", values.filePath}));
}

TEST(DesktopExecTest, RefusesMalformedValues)
{
    for (const char *exec : {"", " ", "viewer \"unterminated", "viewer\\ file", "viewer \"bad \\q escape\"",
                             "viewer \"%f\"", "viewer %z", "viewer %", "viewer %f %u", "viewer %F %F",
                             "viewer --files=%F", "viewer x%U", "viewer --%i", "viewer a\"b\"", "viewer \"a\"b",
                             "\"\" %f", "%f", "%k", "viewer%f", "bin/viewer %f", "./viewer %f", "%d %f"}) {
        EXPECT_EQ(Expand(exec), kMalformed) << exec;
    }
}

TEST(DesktopExecTest, SaysWhyAValueIsMalformed)
{
    const std::pair<const char *, ExecFault> cases[] = {
        {"viewer %f", ExecFault::kNone},
        {"viewer \"unterminated", ExecFault::kUnclosedQuote},
        {"viewer \"ends in \\", ExecFault::kUnclosedQuote},
        {"viewer a\"b\"", ExecFault::kQuoteInsideArgument},
        {"viewer \"a\"b", ExecFault::kQuoteInsideArgument},
        {"viewer\\ file", ExecFault::kStrayBackslash},
        {"viewer \"bad \\q escape\"", ExecFault::kStrayBackslash},
        {"viewer \"%f\"", ExecFault::kCodeInQuotes},
        {"viewer %z", ExecFault::kUnknownCode},
        {"viewer %", ExecFault::kUnknownCode},
        {"viewer --files=%F", ExecFault::kCodeNotAlone},
        {"viewer %f %u", ExecFault::kTwoFileCodes},
        {"", ExecFault::kNoProgram},
        {"%f", ExecFault::kNoProgram},
        {"./viewer %f", ExecFault::kRelativeProgram},
    };
    for (const auto &[exec, fault] : cases) {
        ExecFault found = ExecFault::kNone;
        EXPECT_EQ(ParseDesktopExec(exec, &found).has_value(), fault == ExecFault::kNone) << exec;
        EXPECT_EQ(found, fault) << exec;
    }
}

TEST(DesktopExecTest, TellsWhetherTheFileIsNamed)
{
    for (const char *exec : {"viewer %f", "viewer %F", "viewer --url=%u", "viewer %U"})
        EXPECT_TRUE(DesktopExecNamesFile(*ParseDesktopExec(exec))) << exec;
    for (const char *exec : {"viewer", "viewer %% %i %c %k"})
        EXPECT_FALSE(DesktopExecNamesFile(*ParseDesktopExec(exec))) << exec;
}

TEST(DesktopExecTest, AQuotedArgumentParsesBackUnchanged)
{
    for (const char *argument : {"/plain/path-1.0_x", "", "with blank", "tab\there", "line\nbreak", "\"quoted\"",
                                 "it's", "$HOME", "100%", "%f", "back\\slash", "`date`", "a>b<c|d&e;f", "~user",
                                 "*?#()", "S\xc3\xb6kv\xc3\xa4gen", "all \"'$%\\`\xc3\xa9 %%"}) {
        const std::string quoted = QuoteDesktopExecArgument(argument);
        EXPECT_EQ(Expand("/bin/program " + quoted + " %f"), (Args{"/bin/program", argument, kValues.filePath}))
            << quoted;
    }
    EXPECT_EQ(QuoteDesktopExecArgument("/usr/bin/sifter"), "/usr/bin/sifter");  // nothing to quote stays bare
    EXPECT_EQ(QuoteDesktopExecArgument("/a b/%"), "\"/a b/%%\"");
}

TEST(DesktopExecTest, RandomValuesNeverStartAProgramTheyDoNotName)
{
    const std::string alphabet = " \"\\%fFuUickdmx/'$`";
    std::mt19937 random(12);
    for (int round = 0; round < 20000; ++round) {
        std::string exec;
        const std::size_t length = random() % 16;
        for (std::size_t i = 0; i < length; ++i)
            exec += alphabet[random() % alphabet.size()];
        const std::optional<DesktopExec> parsed = ParseDesktopExec(exec);
        if (!parsed)
            continue;
        const Args argv = ExpandDesktopExec(*parsed, kValues);
        ASSERT_FALSE(argv.empty()) << exec;
        EXPECT_FALSE(argv.front().empty()) << exec;
        EXPECT_EQ(argv.front().find(kValues.filePath), std::string::npos) << exec;
        EXPECT_TRUE(argv.front().find('/') == std::string::npos || argv.front().front() == '/') << exec;
    }
}

TEST(DesktopExecTest, AHugeValueIsParsedOrRefusedWithoutHarm)
{
    EXPECT_EQ(Expand("viewer \"" + std::string(1 << 20, 'a')), kMalformed);
    const Args argv = Expand("viewer " + std::string(1 << 20, 'a') + " %f");
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(argv[1].size(), std::size_t{1} << 20);
}

} // namespace
} // namespace sifter
