// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's string table: captions, messages, and for each command its status-bar
// prompt and tooltip as one text, prompt first, split at "\n".
#include "resource_ids.h"

#include <span>
#include <string_view>

namespace sifter {

struct StringResource {
    StringId id;
    const char *text;
};

// Every entry, sorted by id, ids unique.
std::span<const StringResource> StringTable();
// The text with that id; empty when the table has none.
std::string_view FindStringResource(StringId id);

// What the About text (str::kAboutText) names as %1, %2 and %3, from the build and
// text/program_notice.h.
struct AboutValues {
    const char *version;
    const char *copyrightLine;
    const char *licence;  // an SPDX expression
};
AboutValues AboutTextValues();

} // namespace sifter
