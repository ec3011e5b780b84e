#include "search/found_file.h"

#include "platform/little_endian.h"
#include "platform/path.h"
#include "search/text_field.h"

#include <cstring>

namespace sifter {

// Where a field sits in the stored bytes.
#define SIFTER_AT(field) (bytes.data() + offsetof(FoundFileRecord, field))

FoundFileBytes EncodeFoundFile(const FoundFileRecord &record)
{
    FoundFileBytes bytes{};
    std::memcpy(SIFTER_AT(name), record.name, sizeof record.name);
    std::memcpy(SIFTER_AT(folder), record.folder, sizeof record.folder);
    PutLittleEndian64(SIFTER_AT(size), record.size);
    std::memcpy(SIFTER_AT(typeName), record.typeName, sizeof record.typeName);
    PutLittleEndian64(SIFTER_AT(lastWriteTime), record.lastWriteTime);
    PutLittleEndian64(SIFTER_AT(creationTime), record.creationTime);
    PutLittleEndian64(SIFTER_AT(lastAccessTime), record.lastAccessTime);
    PutLittleEndian32(SIFTER_AT(attributes), record.attributes);
    std::memcpy(SIFTER_AT(shortName), record.shortName, sizeof record.shortName);
    std::memcpy(SIFTER_AT(padding), record.padding, sizeof record.padding);
    PutLittleEndian64(SIFTER_AT(matchOffset), static_cast<std::uint64_t>(record.matchOffset));
    return bytes;
}

FoundFileRecord DecodeFoundFile(const FoundFileBytes &bytes)
{
    FoundFileRecord record;
    std::memcpy(record.name, SIFTER_AT(name), sizeof record.name);
    std::memcpy(record.folder, SIFTER_AT(folder), sizeof record.folder);
    record.size = GetLittleEndian64(SIFTER_AT(size));
    std::memcpy(record.typeName, SIFTER_AT(typeName), sizeof record.typeName);
    record.lastWriteTime = GetLittleEndian64(SIFTER_AT(lastWriteTime));
    record.creationTime = GetLittleEndian64(SIFTER_AT(creationTime));
    record.lastAccessTime = GetLittleEndian64(SIFTER_AT(lastAccessTime));
    record.attributes = GetLittleEndian32(SIFTER_AT(attributes));
    std::memcpy(record.shortName, SIFTER_AT(shortName), sizeof record.shortName);
    std::memcpy(record.padding, SIFTER_AT(padding), sizeof record.padding);
    record.matchOffset = static_cast<std::int64_t>(GetLittleEndian64(SIFTER_AT(matchOffset)));
    record.name[sizeof record.name - 1] = 0;
    record.folder[sizeof record.folder - 1] = 0;
    record.typeName[sizeof record.typeName - 1] = 0;
    record.shortName[sizeof record.shortName - 1] = 0;
    return record;
}

#undef SIFTER_AT

std::string_view FoundFile::Name() const
{
    return longName_.empty() ? TextField(stored.name) : std::string_view(longName_);
}

std::string_view FoundFile::Folder() const
{
    return longFolder_.empty() ? TextField(stored.folder) : std::string_view(longFolder_);
}

std::string FoundFile::Path() const
{
    return PathAppend(Folder(), Name());
}

std::size_t FoundFile::MemoryFootprint() const
{
    // A text short enough for the string's own buffer takes nothing beyond the struct.
    const auto heap = [](const std::string &text) {
        return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
    };
    return sizeof(FoundFile) + heap(longName_) + heap(longFolder_);
}

void FoundFile::SetName(std::string_view name)
{
    if (SetTextField(stored.name, name))
        longName_.clear();
    else
        longName_.assign(name);
}

void FoundFile::SetFolder(std::string_view folder)
{
    if (SetTextField(stored.folder, folder))
        longFolder_.clear();
    else
        longFolder_.assign(folder);
}

} // namespace sifter
