// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version strings of a PE file (program, library, driver): read from its version
// resource, the way the file's properties show description, company and version.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sifter {

// The strings of the first translation of a version resource, in the system code page.
// A string the resource does not have is absent; one it has empty is an empty text.
struct PeVersionStrings {
    std::optional<std::string> description; // "FileDescription"
    std::optional<std::string> company;     // "CompanyName"
    std::optional<std::string> fileVersion; // "FileVersion"
};

// Reads the version strings of the PE file at path, reading only the headers, the
// resource directory and the version resource. False (out all absent) when the file is
// not a regular readable file, not a PE file, has no version resource or translation
// table, or any size or offset on the way points outside the file or its section.
bool ReadPeVersionStrings(const std::string &path, PeVersionStrings &out);
// The same for a file's bytes held in memory.
bool ReadPeVersionStrings(std::span<const std::uint8_t> bytes, PeVersionStrings &out);

} // namespace sifter
