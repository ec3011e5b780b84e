// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cut and Copy of the results list's selected files onto the desktop's clipboard.
#include "framework/command_target.h"

namespace sifter {

class Application;
class ResultRows;

// Cut (cmd::kEditCut) or Copy (cmd::kEditCopy): the usable selected files go onto the
// clipboard as one data object, which the application keeps as its clipboard source; a
// Cut only tells whoever pastes to move them. Rows and files stay as they are. False
// (the clipboard untouched) for another id or when no selected row is usable.
bool OnCutCopy(ResultRows &list, Application &app, CommandId id);

} // namespace sifter
