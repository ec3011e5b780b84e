// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/pe_version.h"

#include "fs/file_reader.h"
#include "text/code_page.h"
#include "text/little_endian.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace sifter {
namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D; // "MZ"
constexpr std::uint64_t kNewHeaderPointerOffset = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionCountOffset = 2;  // in the COFF header
constexpr std::size_t kOptionalSizeOffset = 16; // in the COFF header
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kPe32DirectoryCountOffset = 92;
constexpr std::size_t kPe32PlusDirectoryCountOffset = 108;
constexpr std::size_t kDataDirectorySize = 8;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSectionVirtualSizeOffset = 8;
constexpr std::size_t kSectionAddressOffset = 12;
constexpr std::size_t kSectionRawSizeOffset = 16;
constexpr std::size_t kSectionRawPointerOffset = 20;

constexpr std::size_t kResourceDirectoryHeaderSize = 16;
constexpr std::size_t kResourceEntrySize = 8;
constexpr std::size_t kResourceDataEntrySize = 16;
constexpr std::uint32_t kResourceHighBit = 0x80000000u; // a name string / a subdirectory
constexpr std::uint32_t kVersionResourceType = 16;
// The version block's own length is 16 bits: nothing past this belongs to it.
constexpr std::size_t kMaxVersionBlock = 0xFFFF;

constexpr std::size_t kBlockHeaderSize = 6; // length, value length, type
constexpr std::uint16_t kTextValueType = 1; // value length counts 16-bit characters

// Where the bytes come from: the file through a reader, or memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Exactly size bytes at offset; false when any of them cannot be had.
    virtual bool ReadAt(std::uint64_t offset, std::uint8_t *out, std::size_t size) = 0;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(FileReader &reader) : reader_(reader), size_(std::max<std::int64_t>(reader.Size(), 0)) {}
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::uint8_t *out, std::size_t size) override
    {
        if (offset > size_ || size > size_ - offset)
            return false;
        return reader_.Seek(static_cast<std::int64_t>(offset)) &&
               reader_.Read(out, size) == static_cast<std::int64_t>(size);
    }

private:
    FileReader &reader_;
    std::uint64_t size_;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::uint8_t *out, std::size_t size) override
    {
        if (offset > bytes_.size() || size > bytes_.size() - offset)
            return false;
        if (size != 0) // an empty vector's buffer may be null, which memcpy must not see
            std::memcpy(out, bytes_.data() + offset, size);
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

using Bytes = std::vector<std::uint8_t>;

bool ReadBytes(ByteSource &source, std::uint64_t offset, std::size_t size, Bytes &out)
{
    out.resize(size);
    return source.ReadAt(offset, out.data(), size);
}

struct Section {
    std::uint32_t address = 0;
    std::uint32_t extent = 0; // bytes of it that the file holds
    std::uint32_t rawPointer = 0;
};

// The file offset of size bytes at the relative virtual address, when a section holds
// all of them.
bool Locate(const std::vector<Section> &sections, std::uint64_t address, std::uint64_t size, std::uint64_t &offset)
{
    for (const Section &section : sections) {
        if (address < section.address || address - section.address >= section.extent)
            continue;
        const std::uint64_t into = address - section.address;
        if (size > section.extent - into)
            return false;
        offset = section.rawPointer + into;
        return true;
    }
    return false;
}

// Reads the section table and the resource directory's address; false for anything
// that is not a well-formed PE header inside the file.
bool ReadHeaders(ByteSource &source, std::vector<Section> &sections, std::uint32_t &resourceAddress)
{
    Bytes dos;
    if (!ReadBytes(source, 0, kNewHeaderPointerOffset + 4, dos) || GetLittleEndian16(dos.data()) != kDosSignature)
        return false;
    const std::uint64_t peOffset = GetLittleEndian32(dos.data() + kNewHeaderPointerOffset);
    Bytes coff;
    if (!ReadBytes(source, peOffset, 4 + kCoffHeaderSize, coff) || GetLittleEndian32(coff.data()) != kPeSignature)
        return false;
    const std::size_t sectionCount = GetLittleEndian16(coff.data() + 4 + kSectionCountOffset);
    const std::size_t optionalSize = GetLittleEndian16(coff.data() + 4 + kOptionalSizeOffset);
    const std::uint64_t optionalOffset = peOffset + 4 + kCoffHeaderSize;
    Bytes optional;
    if (optionalSize < 2 || !ReadBytes(source, optionalOffset, optionalSize, optional))
        return false;
    const std::uint16_t magic = GetLittleEndian16(optional.data());
    std::size_t countOffset = 0;
    if (magic == kPe32Magic)
        countOffset = kPe32DirectoryCountOffset;
    else if (magic == kPe32PlusMagic)
        countOffset = kPe32PlusDirectoryCountOffset;
    else
        return false;
    const std::size_t directoryOffset = countOffset + 4 + kResourceDirectoryIndex * kDataDirectorySize;
    if (optionalSize < directoryOffset + kDataDirectorySize ||
        GetLittleEndian32(optional.data() + countOffset) <= kResourceDirectoryIndex)
        return false;
    resourceAddress = GetLittleEndian32(optional.data() + directoryOffset);
    if (resourceAddress == 0)
        return false;

    Bytes table;
    if (!ReadBytes(source, optionalOffset + optionalSize, sectionCount * kSectionHeaderSize, table))
        return false;
    sections.clear();
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t *header = table.data() + i * kSectionHeaderSize;
        Section section;
        section.address = GetLittleEndian32(header + kSectionAddressOffset);
        section.extent = GetLittleEndian32(header + kSectionRawSizeOffset);
        const std::uint32_t virtualSize = GetLittleEndian32(header + kSectionVirtualSizeOffset);
        // Past its virtual size a section is not loaded, even if the file has bytes there.
        if (virtualSize != 0)
            section.extent = std::min(section.extent, virtualSize);
        section.rawPointer = GetLittleEndian32(header + kSectionRawPointerOffset);
        const std::uint64_t end = std::uint64_t{section.rawPointer} + section.extent;
        if (end > source.Size())
            section.extent = 0; // a section the file does not hold gives no bytes at all
        sections.push_back(section);
    }
    return true;
}

// One entry of a resource directory at offset (relative to the resource directory) with
// the chosen identifier (or the first entry, for no identifier). Its data field is
// returned with the subdirectory bit, which the caller checks.
bool FindResourceEntry(ByteSource &source, const std::vector<Section> &sections, std::uint32_t resourceAddress,
                       std::uint32_t directory, std::optional<std::uint32_t> id, std::uint32_t &data)
{
    std::uint64_t offset = 0;
    const std::uint64_t address = std::uint64_t{resourceAddress} + directory;
    Bytes header;
    if (!Locate(sections, address, kResourceDirectoryHeaderSize, offset) ||
        !ReadBytes(source, offset, kResourceDirectoryHeaderSize, header))
        return false;
    const std::size_t count = std::size_t{GetLittleEndian16(header.data() + 12)} + GetLittleEndian16(header.data() + 14);
    const std::uint64_t entriesAddress = address + kResourceDirectoryHeaderSize;
    Bytes entries;
    if (count == 0 || !Locate(sections, entriesAddress, count * kResourceEntrySize, offset) ||
        !ReadBytes(source, offset, count * kResourceEntrySize, entries))
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t *entry = entries.data() + i * kResourceEntrySize;
        if (!id || GetLittleEndian32(entry) == *id) {
            data = GetLittleEndian32(entry + 4);
            return true;
        }
    }
    return false;
}

// The version resource's bytes (at most a block's worth): type 16, first name, first
// language. The whole size the resource claims must lie in the file.
bool ReadVersionResource(ByteSource &source, Bytes &resource)
{
    std::vector<Section> sections;
    std::uint32_t resourceAddress = 0;
    if (!ReadHeaders(source, sections, resourceAddress))
        return false;
    // Three fixed levels: a directory that points back at one above cannot loop, it only
    // fails the subdirectory or data check of the next level.
    std::uint32_t entry = 0;
    if (!FindResourceEntry(source, sections, resourceAddress, 0, kVersionResourceType, entry) ||
        !(entry & kResourceHighBit))
        return false;
    if (!FindResourceEntry(source, sections, resourceAddress, entry & ~kResourceHighBit, std::nullopt, entry) ||
        !(entry & kResourceHighBit))
        return false;
    if (!FindResourceEntry(source, sections, resourceAddress, entry & ~kResourceHighBit, std::nullopt, entry) ||
        (entry & kResourceHighBit))
        return false;
    std::uint64_t offset = 0;
    Bytes dataEntry;
    if (!Locate(sections, std::uint64_t{resourceAddress} + entry, kResourceDataEntrySize, offset) ||
        !ReadBytes(source, offset, kResourceDataEntrySize, dataEntry))
        return false;
    const std::uint32_t dataAddress = GetLittleEndian32(dataEntry.data());
    const std::uint32_t dataSize = GetLittleEndian32(dataEntry.data() + 4);
    if (dataSize < kBlockHeaderSize || !Locate(sections, dataAddress, dataSize, offset))
        return false;
    return ReadBytes(source, offset, std::min<std::size_t>(dataSize, kMaxVersionBlock), resource);
}

constexpr std::size_t AlignTo4(std::size_t at)
{
    return (at + 3) & ~std::size_t{3};
}

// One block of the version resource: length, value length, type, NUL-terminated key,
// value and children, each part starting on a 4-byte boundary of the resource.
struct Block {
    std::size_t end = 0;
    std::u16string key;
    std::size_t valueStart = 0;
    std::size_t valueLength = 0; // in the units of type
    std::uint16_t type = 0;
    std::size_t childrenStart = 0;
};

// The block at `at`, which must end by limit and have a terminated key.
bool ReadBlock(std::span<const std::uint8_t> resource, std::size_t at, std::size_t limit, Block &block)
{
    if (limit - at < kBlockHeaderSize)
        return false;
    const std::size_t length = GetLittleEndian16(resource.data() + at);
    if (length < kBlockHeaderSize || length > limit - at)
        return false;
    block.end = at + length;
    block.valueLength = GetLittleEndian16(resource.data() + at + 2);
    block.type = GetLittleEndian16(resource.data() + at + 4);
    block.key.clear();
    std::size_t pos = at + kBlockHeaderSize;
    for (;; pos += 2) {
        if (block.end - pos < 2)
            return false; // the key has no terminator inside the block
        const char16_t unit = GetLittleEndian16(resource.data() + pos);
        if (unit == 0)
            break;
        block.key.push_back(unit);
    }
    block.valueStart = std::min(AlignTo4(pos + 2), block.end);
    const std::size_t valueBytes = block.valueLength * (block.type == kTextValueType ? 2 : 1);
    block.childrenStart = AlignTo4(block.valueStart + valueBytes); // past end: no children
    return true;
}

bool KeyIs(const std::u16string &key, std::string_view name)
{
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; };
    return key.size() == name.size() &&
           std::equal(key.begin(), key.end(), name.begin(),
                      [&](char16_t a, char b) { return fold(a) == fold(static_cast<unsigned char>(b)); });
}

// The first child of parent with that key (ASCII letters in either case); a broken child
// ends the search, since the ones after it cannot be found.
bool FindChild(std::span<const std::uint8_t> resource, const Block &parent, std::string_view name, Block &child)
{
    for (std::size_t at = parent.childrenStart; at < parent.end; at = AlignTo4(child.end)) {
        if (!ReadBlock(resource, at, parent.end, child))
            return false;
        if (KeyIs(child.key, name))
            return true;
    }
    return false;
}

std::optional<std::string> FindString(std::span<const std::uint8_t> resource, const Block &table, std::string_view name)
{
    Block string;
    if (!FindChild(resource, table, name, string))
        return std::nullopt;
    const std::size_t units = std::min(string.valueLength, (string.end - string.valueStart) / 2);
    std::u16string value;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = GetLittleEndian16(resource.data() + string.valueStart + 2 * i);
        if (unit == 0)
            break;
        value.push_back(unit);
    }
    std::string text;
    // Every unit takes at most 3 bytes (a surrogate pair 4 for 2); an empty value stays empty.
    Utf16ToUtf8(value, text, 3 * value.size());
    return text;
}

bool ReadVersionStrings(ByteSource &source, PeVersionStrings &out)
{
    out = {};
    Bytes bytes;
    if (!ReadVersionResource(source, bytes))
        return false;
    const std::span<const std::uint8_t> resource(bytes);
    Block root;
    Block varInfo;
    Block translation;
    if (!ReadBlock(resource, 0, resource.size(), root) || !FindChild(resource, root, "VarFileInfo", varInfo) ||
        !FindChild(resource, varInfo, "Translation", translation))
        return false;
    const std::size_t translationBytes = translation.valueLength * (translation.type == kTextValueType ? 2 : 1);
    if (translationBytes < 4 || translation.end - translation.valueStart < 4)
        return false;
    const std::uint32_t first = GetLittleEndian32(resource.data() + translation.valueStart);
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", first & 0xFFFFu, first >> 16);

    Block stringInfo;
    Block table;
    if (FindChild(resource, root, "StringFileInfo", stringInfo) && FindChild(resource, stringInfo, key, table)) {
        out.description = FindString(resource, table, "FileDescription");
        out.company = FindString(resource, table, "CompanyName");
        out.fileVersion = FindString(resource, table, "FileVersion");
    }
    return true;
}

} // namespace

bool ReadPeVersionStrings(const std::string &path, PeVersionStrings &out)
{
    out = {};
    FileReader reader;
    if (!reader.Open(path))
        return false;
    FileSource source(reader);
    return ReadVersionStrings(source, out);
}

bool ReadPeVersionStrings(std::span<const std::uint8_t> bytes, PeVersionStrings &out)
{
    MemorySource source(bytes);
    return ReadVersionStrings(source, out);
}

} // namespace sifter
