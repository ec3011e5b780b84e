// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/available_memory.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(AvailableMemory, TakesMemAvailableFromMeminfoAndNothingElse)
{
    EXPECT_EQ(ParseMemAvailable("MemTotal: 24000000 kB\nMemAvailable:   20000000 kB\nBuffers: 1000 kB\n"),
              20000000ull * 1024);
    for (const char *text : {"", "MemTotal: 100 kB\n", "MemAvailable: lots kB\n", "MemAvailable: 100 MB\n",
                             "MemAvailable: -5 kB\n", "MemAvailable: 18014398509481984 kB\n"})
        EXPECT_EQ(ParseMemAvailable(text), 0u) << text;
    EXPECT_GT(AvailableMemory(), 0u);
}

} // namespace
} // namespace sifter
