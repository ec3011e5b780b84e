// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Images of commands and of the program.
#include "res/resource_ids.h"

#include <QIcon>

namespace sifter {

// The toolbar image of a command: the icon theme's when it has one, else the program's
// own; a null icon for a command without an image.
QIcon CommandIcon(CommandId id);
// The program's icon (resource 128) in all its sizes.
QIcon ProgramIcon();
// Icon resource 132 (collapsed section) or 133 (expanded section); null for other ids.
QIcon SectionIcon(ResourceId id);

} // namespace sifter
