// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The REGEDIT4 text form of one registry root, as the store keeps it on disk:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Norvane\Sifter\Global]
//   "Style"=dword:00000001
//   "Columns"=hex:03,80,00,00,...
//   @="default value"
//
// The file is UTF-8. Texts are written in double quotes with "\" and '"' escaped; a
// text that is not valid UTF-8, holds a control character or is not ended by exactly
// one zero byte is written as hex(1): so that every byte survives.
#include "registry/registry_tree.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sifter {

inline constexpr std::string_view kRegeditHeader = "REGEDIT4";

struct RegeditParseResult {
    // False when the text is not a REGEDIT4 file at all (its first non-blank line is
    // not the header); nothing was read then.
    bool recognised = false;
    // Lines that hold no valid key header or value, or that belong to a section that
    // cannot be read; they are skipped and everything else is kept.
    std::size_t skippedLines = 0;
    // Lines whose content a rewrite would not reproduce although they were understood:
    // comments, and values overridden by a later line of the same name.
    std::size_t droppedLines = 0;
    // 1-based number of the first skipped or dropped line, 0 when there is none.
    std::size_t firstLostLine = 0;

    // True when writing the tree back would lose text that the file holds.
    bool Lossy() const { return skippedLines + droppedLines > 0; }
};

// Reads text into root (which should be empty), taking only sections under rootName
// (for example "HKEY_CURRENT_USER", compared without regard to case). Never fails on
// bad lines: they are counted and skipped.
RegeditParseResult ParseRegeditText(std::string_view text, std::string_view rootName, RegistryNode &root);

// The whole text of the tree: header, then every key depth first in enumeration order,
// each with its values in their order. Intermediate keys are written too, except those
// that the text a tree was read from did not name either (RegistryNode::Named), so that a
// text of deep keys writes out about as long as it was read.
std::string WriteRegeditText(const RegistryNode &root, std::string_view rootName);
// The same into out, stopping as soon as the text passes maxBytes: false (out empty) then.
bool WriteRegeditText(const RegistryNode &root, std::string_view rootName, std::size_t maxBytes, std::string &out);

} // namespace sifter
