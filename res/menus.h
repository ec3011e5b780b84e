// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Menu resources as data: the main menu 128 and the popups 137 ("POPCOLUMN") and 141
// ("POPMAIN"). A menu is a flat list in which a popup's items stand between its
// kPopupBegin and kPopupEnd entries; popups nest.
#include "resource_ids.h"

#include <cstdint>
#include <span>

namespace sifter {

enum class MenuEntryKind : std::uint8_t { kCommand, kSeparator, kPopupBegin, kPopupEnd };

struct MenuEntryResource {
    MenuEntryKind kind;
    CommandId id;      // the command of a kCommand entry, else 0
    const char *text;  // item or popup text; a tab separates the accelerator hint
    bool grayed;       // shown disabled as the resource stands
};

// The entries of the menu with that id; empty for an unknown id.
std::span<const MenuEntryResource> FindMenuResource(ResourceId id);
// The text of the first item of the menu (submenus included) that carries the command;
// nullptr when there is none.
const char *FindMenuItemText(ResourceId menu, CommandId command);

} // namespace sifter
