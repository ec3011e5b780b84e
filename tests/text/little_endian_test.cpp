// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/little_endian.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace sifter {
namespace {

TEST(LittleEndian, ValuesRoundTripAtUnalignedOffsetsLowByteFirst)
{
    std::uint8_t bytes[16] = {};
    PutLittleEndian16(bytes + 1, 0xBEEF);
    PutLittleEndian32(bytes + 3, 0x89ABCDEF);
    PutLittleEndian64(bytes + 7, 0xFEDCBA9876543210ULL);
    EXPECT_EQ(GetLittleEndian16(bytes + 1), 0xBEEF);
    EXPECT_EQ(GetLittleEndian32(bytes + 3), 0x89ABCDEFu);
    EXPECT_EQ(GetLittleEndian64(bytes + 7), 0xFEDCBA9876543210ULL);
    EXPECT_EQ(bytes[1], 0xEF);
    EXPECT_EQ(bytes[6], 0x89);
    EXPECT_EQ(bytes[7], 0x10);
    EXPECT_EQ(bytes[14], 0xFE);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[15], 0);
}

} // namespace
} // namespace sifter
