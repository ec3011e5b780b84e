// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands that choose the results list's view modes and show columns.
#include "res/resource_ids.h"
#include "stores/view_mode.h"

#include <cstdint>

namespace sifter {

// The mode a View command chooses; false for an id that chooses none (59412, 59413, others).
bool ViewModeOfCommand(CommandId id, ViewMode &mode);
// The column id a show/hide command toggles; 0 for the Name column's command and any other id.
CommandId ColumnOfToggleCommand(CommandId id);

} // namespace sifter
