// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results list's view modes, as the low two bits of the stored "Style" value hold them.
#include <cstdint>

namespace sifter {

enum class ViewMode : std::uint32_t {
    LargeIcons = 0, // an icon grid, the name under a 32-pixel icon
    Details = 1,    // one line per row with the shown columns
    SmallIcons = 2, // 16-pixel icons with the name beside them, left to right, wrapping
    List = 3,       // like Small Icons, but flowing top to bottom in columns
};
inline constexpr std::uint32_t kViewModeMask = 3;

// The mode of a stored style value: its low two bits.
constexpr ViewMode ViewModeOfStyle(std::uint32_t style)
{
    return static_cast<ViewMode>(style & kViewModeMask);
}

} // namespace sifter
