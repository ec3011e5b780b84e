// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_text.h"

#include "support/scoped_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace sifter {
namespace {

TEST(TerminalSafeText, WhatATerminalWouldActOnBecomesQuestionMarks)
{
    const test::ScopedLocale utf8(LC_CTYPE, "C.UTF-8");
    if (!utf8.Active())
        GTEST_SKIP() << "no C.UTF-8 locale";
    // C0 (escape, bell, tab, newline), DEL, C1 in its UTF-8 form, a lone C1 byte, a cut sequence.
    EXPECT_EQ(TerminalSafeText("a\x1b[31mb\x07\t\n"), "a?[31mb???");
    EXPECT_EQ(TerminalSafeText("x\x7fy"), "x?y");
    EXPECT_EQ(TerminalSafeText("x\xc2\x9b" "2Jy"), "x?2Jy");
    EXPECT_EQ(TerminalSafeText("x\x9b" "2Jy"), "x?2Jy");
    EXPECT_EQ(TerminalSafeText("x\xe6\x96"), "x??");
    // Printable characters of every width pass as they are.
    EXPECT_EQ(TerminalSafeText("/home/r\xc3\xa9sum\xc3\xa9 \xe6\x96\x87.txt"), "/home/r\xc3\xa9sum\xc3\xa9 \xe6\x96\x87.txt");
}

} // namespace
} // namespace sifter
