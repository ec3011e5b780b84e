// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Explicit little-endian reads and writes of the persisted records, whatever the host order.
#include <cstddef>
#include <cstdint>

namespace sifter {

inline void PutLittleEndian16(std::uint8_t *out, std::uint16_t value)
{
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLittleEndian32(std::uint8_t *out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void PutLittleEndian64(std::uint8_t *out, std::uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint16_t GetLittleEndian16(const std::uint8_t *in)
{
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

inline std::uint32_t GetLittleEndian32(const std::uint8_t *in)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | in[i];
    return value;
}

inline std::uint64_t GetLittleEndian64(const std::uint8_t *in)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | in[i];
    return value;
}

} // namespace sifter
