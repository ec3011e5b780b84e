// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Accelerator table 128 as data. Keys are written as Qt's portable key-sequence text.
#include "resource_ids.h"

#include <span>

namespace sifter {

struct AcceleratorResource {
    const char *keys;  // e.g. "Ctrl+Ins", "Shift+F6"
    CommandId command;
};

// The main window's accelerators, in table order; a command may have several.
std::span<const AcceleratorResource> MainAccelerators();

} // namespace sifter
