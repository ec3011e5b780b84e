// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Toolbar 128 as data: button size and the commands in order, 0 for a separator.
#include "resource_ids.h"

#include <span>

namespace sifter {

inline constexpr CommandId kToolbarSeparator = 0;

struct ToolbarResource {
    int buttonWidth;
    int buttonHeight;
    std::span<const CommandId> buttons;
};

// The main toolbar (resource 128).
ToolbarResource MainToolbar();

// A button's image: the icon theme's name for it, and the program's own image (a Qt
// resource path) where the theme has none.
struct ToolbarImageResource {
    CommandId id;
    const char *themeName;
    const char *fallback;
};

// The image of a toolbar command; nullptr for a command without one.
const ToolbarImageResource *FindToolbarImage(CommandId id);

} // namespace sifter
