#pragma once
// The results list's view modes and the commands that choose modes and show columns.
#include "res/resource_ids.h"

#include <cstdint>

namespace sifter {

// The list-type values of the stored style (the low two bits count).
enum class ViewMode : std::uint32_t {
    LargeIcons = 0, // an icon grid, the name under a 32-pixel icon
    Details = 1,    // one line per row with the shown columns
    SmallIcons = 2, // 16-pixel icons with the name beside them, left to right, wrapping
    List = 3,       // like Small Icons, but flowing top to bottom in columns
};
inline constexpr std::uint32_t kViewModeMask = 3;

// The mode of a stored style value: its low two bits.
ViewMode ViewModeOfStyle(std::uint32_t style);
// The mode a View command chooses; false for an id that chooses none (59412, 59413, others).
bool ViewModeOfCommand(CommandId id, ViewMode &mode);
// The column id a show/hide command toggles; 0 for the Name column's command and any other id.
CommandId ColumnOfToggleCommand(CommandId id);

} // namespace sifter
