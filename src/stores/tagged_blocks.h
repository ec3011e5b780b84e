// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tagged blocks, the form of what the result file carries beyond a fixed record: a 4-byte
// tag, a 32-bit little-endian length, then that many bytes. Readers skip tags they do not know.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace sifter {

inline constexpr std::size_t kBlockTagSize = 4;
inline constexpr std::size_t kBlockHeaderSize = kBlockTagSize + 4;

void AppendBlock(std::vector<std::uint8_t> &out, const char (&tag)[kBlockTagSize], std::string_view bytes);
// Calls onBlock for each whole block in order; a block cut short ends the walk.
void ForEachBlock(const std::uint8_t *bytes, std::size_t size,
                  const std::function<void(std::string_view tag, std::string_view bytes)> &onBlock);

} // namespace sifter
