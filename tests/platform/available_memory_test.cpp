#include "platform/available_memory.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(AvailableMemory, TakesMemAvailableFromMeminfo)
{
    EXPECT_EQ(ParseMemAvailable("MemTotal:       24000000 kB\n"
                                "MemFree:          100000 kB\n"
                                "MemAvailable:   20000000 kB\n"
                                "Buffers:            1000 kB\n"),
              20000000ull * 1024);
    EXPECT_EQ(ParseMemAvailable("MemAvailable: 7 kB"), 7u * 1024); // no final line end
}

TEST(AvailableMemory, AnythingElseGivesZero)
{
    for (const char *text : {"", "MemTotal: 100 kB\n", "MemAvailable:\n", "MemAvailable: lots kB\n",
                             "MemAvailable: 100 MB\n", "MemAvailable: -5 kB\n", "MemAvailable: 12 kB extra\n",
                             "MemAvailable: 99999999999999999999999 kB\n", "MemAvailable: 18014398509481984 kB\n",
                             "XMemAvailable: 100 kB\n"})
        EXPECT_EQ(ParseMemAvailable(text), 0u) << text;
}

TEST(AvailableMemory, TheSystemSaysSomething)
{
    EXPECT_GT(AvailableMemory(), 0u);
}

} // namespace
} // namespace sifter
