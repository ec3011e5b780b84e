// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small PE files built byte by byte for tests and fuzz seeds: one ".rsrc" section holding
// a resource directory (type, name, language) and, usually, a version resource.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sifter::test {

struct PeImageOptions {
    bool pe32Plus = false;
    // Type of the one resource; anything but 16 gives a file without a version resource.
    std::uint32_t resourceType = 16;
    // Translation entries (low 16 bits language, high 16 code page); none: no VarFileInfo.
    std::vector<std::uint32_t> translations{0x04B00409};
    // Key of the one string table (default: the first translation as "%04X%04X").
    std::optional<std::string> tableKey;
    // Strings of the table (UTF-8 here, UTF-16LE in the file), in order.
    std::vector<std::pair<std::string, std::string>> strings{
        {"CompanyName", "Norvane Test Works"},
        {"FileDescription", "Sample Tool"},
        {"FileVersion", "1.2.3.4"},
    };
};

// Offsets in the built file of the fields that tests make lie.
struct PeImageLayout {
    std::size_t sectionCount = 0;      // 16-bit, COFF header
    std::size_t optionalHeaderSize = 0; // 16-bit, COFF header
    std::size_t directoryCount = 0;    // 32-bit, optional header
    std::size_t resourceAddress = 0;   // 32-bit, data directory 2
    std::size_t sectionHeader = 0;     // the one section header (40 bytes)
    std::size_t resourceSection = 0;   // the section's bytes: the root directory first
    std::size_t typeEntry = 0;         // the root's one entry (id, then data field)
    std::size_t nameEntry = 0;         // the name directory's one entry
    std::size_t dataEntry = 0;         // the resource data entry (address, size)
    std::size_t versionBlock = 0;      // the version resource's first byte
    std::size_t versionSize = 0;
};

inline constexpr std::size_t kPeNewHeaderPointer = 0x3C;

// The bytes of a PE file with options, and where its fields are.
std::vector<std::uint8_t> BuildPeImage(const PeImageOptions &options, PeImageLayout *layout = nullptr);

// Little-endian writes into built bytes, for making them lie.
void Put16(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint16_t value);
void Put32(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value);

} // namespace sifter::test
