// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs checks in a fresh copy of the test program whose environment names a locale.
// QLocale::system() reads the environment once per process, so a locale cannot be
// switched inside one process; a GoogleTest death test in "threadsafe" style re-executes
// the program and inherits the environment set here.
#include "support/scoped_env.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace sifter::test {

// Runs the checks and ends the process: status 0 when they all passed, else 1 with
// every failure on stderr. A death-test child reports nothing itself; the parent shows
// the child's stderr.
template <typename Checks>
[[noreturn]] void RunChecksAndExit(Checks &checks)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        checks();
    }
    for (int i = 0; i < results.size(); ++i) {
        const ::testing::TestPartResult &result = results.GetTestPartResult(i);
        std::fprintf(stderr, "%s:%d: %s\n", result.file_name() ? result.file_name() : "?", result.line_number(),
                     result.message());
    }
    std::fflush(stderr);
    _exit(results.size() == 0 ? 0 : 1);
}

// Runs checks (GoogleTest assertions) in a child started with LC_ALL=locale; the
// child's failures become the calling test's failure message.
template <typename Checks>
void ExpectUnderLocale(const char *locale, Checks checks)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const ScopedEnv scoped("LC_ALL", locale);
    EXPECT_EXIT(RunChecksAndExit(checks), ::testing::ExitedWithCode(0), "")
        << "checks failed under LC_ALL=" << locale;
}

} // namespace sifter::test
