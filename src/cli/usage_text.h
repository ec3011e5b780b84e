// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text that --help prints.

namespace sifter {

// The usage text, several lines, ending with a newline.
const char *UsageText();

} // namespace sifter
