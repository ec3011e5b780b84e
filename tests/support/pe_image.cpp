// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pe_image.h"

#include <algorithm>
#include <cstdio>

namespace sifter::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSectionAddress = 0x1000;
constexpr std::size_t kSectionFileOffset = 0x200;
constexpr std::uint32_t kSubdirectory = 0x80000000u;

void Append16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(Bytes &out, std::uint32_t value)
{
    Append16(out, static_cast<std::uint16_t>(value));
    Append16(out, static_cast<std::uint16_t>(value >> 16));
}

void PadTo4(Bytes &out)
{
    while (out.size() % 4)
        out.push_back(0);
}

// UTF-8 to UTF-16 units; enough for the texts tests write (no checks for bad input).
std::u16string Utf16(const std::string &text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t c = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) {
            c = lead & 0x07;
            length = 4;
        } else if (lead >= 0xE0) {
            c = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xC0) {
            c = lead & 0x1F;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

// A version block: length, value length, type, key, value, children; each child starts
// on a 4-byte boundary (blocks always start on one here).
Bytes VersionBlock(const std::string &key, const Bytes &value, std::uint16_t valueLength, std::uint16_t type,
                   const std::vector<Bytes> &children)
{
    Bytes out(6, 0);
    for (char16_t unit : Utf16(key))
        Append16(out, unit);
    Append16(out, 0);
    PadTo4(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes &child : children) {
        PadTo4(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    out[2] = static_cast<std::uint8_t>(valueLength);
    out[3] = static_cast<std::uint8_t>(valueLength >> 8);
    out[4] = static_cast<std::uint8_t>(type);
    return out;
}

Bytes VersionResource(const PeImageOptions &options)
{
    std::vector<Bytes> strings;
    for (const auto &[key, text] : options.strings) {
        Bytes value;
        const std::u16string units = Utf16(text);
        for (char16_t unit : units)
            Append16(value, unit);
        Append16(value, 0);
        strings.push_back(VersionBlock(key, value, static_cast<std::uint16_t>(units.size() + 1), 1, {}));
    }
    char key[9] = "00000000";
    if (!options.translations.empty())
        std::snprintf(key, sizeof key, "%04X%04X", options.translations[0] & 0xFFFFu, options.translations[0] >> 16);
    const Bytes table = VersionBlock(options.tableKey.value_or(key), {}, 0, 1, strings);
    std::vector<Bytes> children{VersionBlock("StringFileInfo", {}, 0, 1, {table})};
    if (!options.translations.empty()) {
        Bytes value;
        for (std::uint32_t translation : options.translations)
            Append32(value, translation);
        const Bytes var = VersionBlock("Translation", value, static_cast<std::uint16_t>(value.size()), 0, {});
        children.push_back(VersionBlock("VarFileInfo", {}, 0, 1, {var}));
    }
    Bytes fixed;
    Append32(fixed, 0xFEEF04BD); // the fixed file information's signature
    fixed.resize(52, 0);
    return VersionBlock("VS_VERSION_INFO", fixed, 52, 0, children);
}

// A resource directory with one entry.
void AppendDirectory(Bytes &out, std::uint32_t id, std::uint32_t data)
{
    Append32(out, 0); // characteristics
    Append32(out, 0); // time stamp
    Append32(out, 0); // versions
    Append16(out, 0); // named entries
    Append16(out, 1); // id entries
    Append32(out, id);
    Append32(out, data);
}

} // namespace

void Put16(Bytes &bytes, std::size_t at, std::uint16_t value)
{
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
    bytes.at(at) = static_cast<std::uint8_t>(value);
}

void Put32(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, static_cast<std::uint16_t>(value));
    Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

Bytes BuildPeImage(const PeImageOptions &options, PeImageLayout *layout)
{
    PeImageLayout at;
    // The resource section: three directories, the data entry, the version resource.
    Bytes section;
    AppendDirectory(section, options.resourceType, kSubdirectory | 0x18);
    AppendDirectory(section, 1, kSubdirectory | 0x30);
    AppendDirectory(section, 0x409, 0x48);
    const Bytes version = VersionResource(options);
    Append32(section, kSectionAddress + 0x58);
    Append32(section, static_cast<std::uint32_t>(version.size()));
    Append32(section, 0); // code page
    Append32(section, 0); // reserved
    section.insert(section.end(), version.begin(), version.end());
    PadTo4(section);

    Bytes out(0x40, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put32(out, kPeNewHeaderPointer, 0x40);
    Append32(out, 0x00004550);
    Append16(out, options.pe32Plus ? 0x8664 : 0x14C);
    at.sectionCount = out.size();
    Append16(out, 1);
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 0);
    at.optionalHeaderSize = out.size();
    const std::uint16_t optionalSize = options.pe32Plus ? 240 : 224;
    Append16(out, optionalSize);
    Append16(out, 0x0102); // executable, 32-bit machine
    const std::size_t optional = out.size();
    out.resize(optional + optionalSize, 0);
    Put16(out, optional, options.pe32Plus ? 0x20B : 0x10B);
    const std::size_t countOffset = options.pe32Plus ? 108 : 92;
    at.directoryCount = optional + countOffset;
    Put32(out, at.directoryCount, 16);
    at.resourceAddress = optional + countOffset + 4 + 2 * 8;
    Put32(out, at.resourceAddress, kSectionAddress);
    Put32(out, at.resourceAddress + 4, static_cast<std::uint32_t>(section.size()));

    at.sectionHeader = out.size();
    out.resize(at.sectionHeader + 40, 0);
    std::copy_n(".rsrc", 5, out.begin() + static_cast<long>(at.sectionHeader));
    Put32(out, at.sectionHeader + 8, static_cast<std::uint32_t>(section.size()));
    Put32(out, at.sectionHeader + 12, kSectionAddress);
    Put32(out, at.sectionHeader + 16, static_cast<std::uint32_t>(section.size()));
    Put32(out, at.sectionHeader + 20, kSectionFileOffset);
    Put32(out, at.sectionHeader + 36, 0x40000040); // initialised data, readable

    out.resize(kSectionFileOffset, 0);
    out.insert(out.end(), section.begin(), section.end());
    at.resourceSection = kSectionFileOffset;
    at.typeEntry = kSectionFileOffset + 0x10;
    at.nameEntry = kSectionFileOffset + 0x28;
    at.dataEntry = kSectionFileOffset + 0x48;
    at.versionBlock = kSectionFileOffset + 0x58;
    at.versionSize = version.size();
    if (layout)
        *layout = at;
    return out;
}

} // namespace sifter::test
