// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/found_file.h"

#include "fs/path.h"
#include "search/text_field.h"
#include "text/code_page.h"
#include "text/little_endian.h"

#include <algorithm>
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

std::string FoundFile::Path() const
{
    return PathAppend(Folder(), Name());
}

void FoundFile::SetFolder(std::string_view folder)
{
    folder_ = std::make_shared<const std::string>(folder);
}

void FoundFile::SetTypeName(std::string_view typeName)
{
    typeName_ = std::make_shared<const std::string>(CutToField(typeName, kFoundTypeNameSize));
}

void FoundFile::SetTypeName(SharedText typeName)
{
    if (typeName && CutToField(*typeName, kFoundTypeNameSize).size() != typeName->size())
        SetTypeName(std::string_view(*typeName));
    else
        typeName_ = std::move(typeName);
}

bool FoundFile::HasLongTexts() const
{
    return CutToField(Name(), kFoundNameSize).size() != Name().size() ||
           CutToField(Folder(), kFoundFolderSize).size() != Folder().size();
}

namespace {

constexpr std::size_t kHeapBookkeeping = sizeof(std::size_t);
constexpr std::size_t kHeapAlignment = 16;
constexpr std::size_t kSmallestHeapBlock = 32;

// Heap bytes of a string of that capacity: none when it is the string's own buffer.
std::size_t StringHeapBytes(std::size_t capacity)
{
    return capacity > std::string().capacity() ? HeapBlockBytes(capacity + 1) : 0;
}

} // namespace

std::size_t HeapBlockBytes(std::size_t requested)
{
    const std::size_t block = (requested + kHeapBookkeeping + kHeapAlignment - 1) / kHeapAlignment * kHeapAlignment;
    return std::max(block, kSmallestHeapBlock);
}

std::size_t FoundFile::MemoryFootprint() const
{
    return HeapBlockBytes(sizeof(FoundFile)) + StringHeapBytes(name_.capacity());
}

FoundFileRecord FoundFile::Stored() const
{
    FoundFileRecord record{};
    SetTextField(record.name, Name());
    SetTextField(record.folder, Folder());
    record.size = size;
    SetTextField(record.typeName, TypeName());
    record.lastWriteTime = lastWriteTime;
    record.creationTime = creationTime;
    record.lastAccessTime = lastAccessTime;
    record.attributes = attributes;
    SetTextField(record.shortName, ShortName());
    record.matchOffset = matchOffset;
    return record;
}

void FoundFile::SetStored(const FoundFileRecord &record, TextShare *folders, TextShare *typeNames)
{
    SetName(TextField(record.name));
    const std::string_view folder = TextField(record.folder);
    if (folders)
        SetFolder(folders->Share(folder));
    else
        SetFolder(folder);
    const std::string_view typeName = TextField(record.typeName);
    if (typeNames)
        SetTypeName(typeNames->Share(typeName));
    else
        SetTypeName(typeName);
    size = record.size;
    lastWriteTime = record.lastWriteTime;
    creationTime = record.creationTime;
    lastAccessTime = record.lastAccessTime;
    attributes = record.attributes;
    SetShortName(TextField(record.shortName));
    matchOffset = record.matchOffset;
}

SharedText FoundFile::TextShare::Share(std::string_view text)
{
    if (last_ && *last_ == text)
        return last_;
    if (const auto known = known_.find(text); known != known_.end()) {
        last_ = known->second;
        return last_;
    }
    last_ = std::make_shared<const std::string>(text);
    // make_shared puts the string beside its two counts and the control block's table.
    madeBytes_ += HeapBlockBytes(sizeof(std::string) + 2 * sizeof(int) + sizeof(void *)) +
                  StringHeapBytes(last_->capacity());
    // The key views the shared text itself, which never changes.
    if (known_.size() < kMaxTexts)
        known_.emplace(std::string_view(*last_), last_);
    return last_;
}

} // namespace sifter
