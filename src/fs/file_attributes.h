// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Attribute bits of a directory entry, as the result file stores them.
#include <cstdint>

namespace sifter {

inline constexpr std::uint32_t kAttributeReadOnly = 0x01;     // owner write bit clear
inline constexpr std::uint32_t kAttributeHidden = 0x02;       // name starts with "."
inline constexpr std::uint32_t kAttributeSystem = 0x04;       // neither regular file nor folder
inline constexpr std::uint32_t kAttributeFolder = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;      // never set on Linux
inline constexpr std::uint32_t kAttributeNormal = 0x80;       // regular file with no other bit
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400; // symbolic link

} // namespace sifter
