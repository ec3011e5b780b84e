// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/result_file.h"

#include "fs/atomic_file.h"
#include "stores/criteria_extension.h"
#include "stores/tagged_blocks.h"
#include "search/text_field.h"
#include "text/code_page.h"
#include "text/little_endian.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

// A 32-bit value; bytes the source does not deliver count as zero.
std::uint32_t ReadUint32(ByteSource &file)
{
    std::uint8_t bytes[4] = {};
    file.Read(bytes, sizeof bytes);
    return GetLittleEndian32(bytes);
}

// A 32-bit value that must be there whole; false when the source ends first.
bool ReadWholeUint32(ByteSource &file, std::uint32_t &value)
{
    std::uint8_t bytes[4] = {};
    const bool whole = file.Read(bytes, sizeof bytes) == sizeof bytes;
    value = whole ? GetLittleEndian32(bytes) : 0;
    return whole;
}

bool WriteUint32(ByteSink &file, std::uint32_t value)
{
    std::uint8_t bytes[4];
    PutLittleEndian32(bytes, value);
    return file.Write(bytes, sizeof bytes);
}

// The whole text of a block, accepted only when it is a plausible name and the field
// holds exactly its cut: a file edited elsewhere keeps what its field says.
bool AgreesWithField(std::string_view whole, std::string_view fieldText, std::size_t fieldSize)
{
    return whole.find('\0') == std::string_view::npos && CutToField(whole, fieldSize) == fieldText;
}

// Takes the long texts from the tagged blocks beyond a record's 672 bytes; unknown tags and
// a block cut short are ignored.
void ApplyRecordExtension(FoundFile &record, const std::uint8_t *bytes, std::size_t size, RecordTexts *texts)
{
    ForEachBlock(bytes, size, [&](std::string_view tag, std::string_view text) {
        if (tag == std::string_view(kLongNameTag, kBlockTagSize)) {
            if (AgreesWithField(text, record.Name(), kFoundNameSize))
                record.SetName(text);
        } else if (tag == std::string_view(kLongFolderTag, kBlockTagSize)) {
            if (AgreesWithField(text, record.Folder(), kFoundFolderSize)) {
                if (texts)
                    record.SetFolder(texts->folders.Share(text));
                else
                    record.SetFolder(text);
            }
        }
    });
}

} // namespace

std::FILE *OpenRegularFileForReading(const std::string &path, int *error)
{
    const auto fail = [error](int cause) -> std::FILE * {
        if (error)
            *error = cause;
        return nullptr;
    };
    // Looked at before opening: opening a device alone can have effects (a tape rewinds).
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return fail(errno);
    if (!S_ISREG(info.st_mode))
        return fail(0);
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    // Looked at again: the path may have been replaced in between.
    const bool examined = fstat(fd, &info) == 0;
    if (!examined || !S_ISREG(info.st_mode)) {
        const int cause = examined ? 0 : errno;
        close(fd);
        return fail(cause);
    }
    // Blocking reads are fine on a regular file; a failure here only keeps O_NONBLOCK,
    // which regular files ignore.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE *file = fdopen(fd, "rb");
    if (!file) {
        const int cause = errno;
        close(fd);
        return fail(cause);
    }
    return file;
}

bool WriteFoundFile(const FoundFile &record, ByteSink &file)
{
    std::vector<std::uint8_t> extension;
    const FoundFileRecord stored = record.Stored();
    if (record.Name() != TextField(stored.name))
        AppendBlock(extension, kLongNameTag, record.Name());
    if (record.Folder() != TextField(stored.folder))
        AppendBlock(extension, kLongFolderTag, record.Folder());
    if (extension.size() > kMaxRecordExtension)
        extension.clear(); // cannot be a real path; the fields still hold its start
    const FoundFileBytes bytes = EncodeFoundFile(stored);
    return WriteUint32(file, static_cast<std::uint32_t>(kStoredRecordLength + extension.size())) &&
           file.Write(bytes.data(), bytes.size()) && file.Write(extension.data(), extension.size());
}

bool ReadFoundFile(FoundFile &record, ByteSource &file, RecordTexts *texts)
{
    const std::uint32_t length = ReadUint32(file);
    if (length == 0)
        return false;
    FoundFileBytes bytes{};
    const std::size_t wanted = std::min<std::size_t>(length, kStoredRecordLength);
    if (file.Read(bytes.data(), wanted) < wanted)
        return false;
    if (texts)
        record.SetStored(DecodeFoundFile(bytes), &texts->folders, &texts->typeNames);
    else
        record.SetStored(DecodeFoundFile(bytes));
    if (length > kStoredRecordLength) {
        const std::uint32_t extra = length - kStoredRecordLength;
        if (extra > kMaxRecordExtension) {
            file.Skip(extra);
        } else {
            std::vector<std::uint8_t> extension(extra);
            const std::size_t got = file.Read(extension.data(), extension.size());
            ApplyRecordExtension(record, extension.data(), got, texts);
        }
    }
    // No file has such a name: a row of it would name its folder, or nothing that can exist.
    return !record.Name().empty() && record.Name().size() <= kMaxFoundNameBytes;
}

bool SaveResults(const FileSearch &search, ByteSink &file)
{
    const std::size_t count = search.CountFoundFiles();
    if (count > UINT32_MAX || !file.Rewind())
        return false;
    const CriteriaBytes criteria = EncodeCriteria(search.criteria);
    const std::vector<std::uint8_t> extension = EncodeCriteriaExtension(search.extras);
    if (!file.Write(kResultMagic, kResultMagicSize) ||
        !WriteUint32(file, static_cast<std::uint32_t>(kStoredCriteriaLength + extension.size())) ||
        !file.Write(criteria.data(), criteria.size()) || !file.Write(extension.data(), extension.size()) ||
        !WriteUint32(file, static_cast<std::uint32_t>(count)))
        return false;
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        if (!WriteFoundFile(*record, file))
            return false;
    }
    return true;
}

bool CheckResultMagic(ByteSource &file)
{
    return file.Rewind() && ReadResultMagic(file);
}

bool ReadResultMagic(ByteSource &file)
{
    std::uint8_t bytes[kResultMagicSize] = {};
    file.Read(bytes, sizeof bytes);
    return std::memcmp(bytes, kResultMagic, kResultMagicSize) == 0;
}

bool ReadResultCriteria(SearchCriteria &criteria, ByteSource &file, std::uint32_t &count, ExtraCriteria *extras)
{
    count = 0;
    std::uint32_t criteriaLength = 0;
    if (!ReadWholeUint32(file, criteriaLength))
        return false;
    // Bytes the file does not deliver keep the values they had.
    CriteriaBytes bytes = EncodeCriteria(criteria);
    const std::size_t wanted = std::min<std::size_t>(criteriaLength, bytes.size());
    const std::size_t got = file.Read(bytes.data(), wanted);
    criteria = DecodeCriteria(bytes);
    if (got < wanted)
        return false;
    if (criteriaLength > kStoredCriteriaLength) {
        const std::uint32_t extra = criteriaLength - kStoredCriteriaLength;
        if (!extras || extra > kMaxCriteriaExtension) {
            file.Skip(extra);
        } else {
            std::vector<std::uint8_t> extension(extra);
            const std::size_t delivered = file.Read(extension.data(), extension.size());
            *extras = DecodeCriteriaExtension(extension.data(), delivered);
        }
    }
    // A skip past the end leaves nothing for the count, which tells the cut.
    return ReadWholeUint32(file, count);
}

namespace {

// The bytes the records after the limit would still take, read and dropped one by one.
std::uint64_t CountRemainingBytes(ByteSource &file, std::uint32_t remaining, const ResultLoadLimit &limit,
                                  RecordTexts &texts)
{
    std::uint64_t bytes = 0;
    for (; remaining > 0; --remaining) {
        FoundFile record;
        if (!ReadFoundFile(record, file, &texts))
            break;
        bytes += record.MemoryFootprint() + limit.perRowBytes;
    }
    return bytes;
}

} // namespace

bool LoadResults(FileSearch &search, ByteSource &file, const ResultLoadLimit &limit, ResultLoadReport *report)
{
    ResultLoadReport scratch;
    ResultLoadReport &out = report ? *report : scratch;
    out = ResultLoadReport{};
    const auto stopWith = [&out](ResultLoadStop reason) {
        out.stop = reason;
        return reason == ResultLoadStop::kNone;
    };
    if (!search.ClearFoundFiles())
        return stopWith(ResultLoadStop::kBusy);
    if (!CheckResultMagic(file))
        return stopWith(ResultLoadStop::kNotResultFile);
    search.ResetCriteria();
    // The count is only an upper bound: nothing is reserved for it, reading stops at the
    // first record that is not there.
    std::uint32_t count = 0;
    if (!ReadResultCriteria(search.criteria, file, count, &search.extras))
        return stopWith(ResultLoadStop::kHeaderCut);
    RecordTexts texts;
    std::uint64_t used = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<FoundFile> record(new (std::nothrow) FoundFile);
        if (!record)
            return stopWith(ResultLoadStop::kOverLimit);
        if (!ReadFoundFile(*record, file, &texts))
            return stopWith(ResultLoadStop::kDamagedRecord);
        used += record->MemoryFootprint() + limit.perRowBytes;
        if (used + texts.MadeBytes() > limit.memoryBytes) {
            // The rest is counted, not kept, so that a refusal can name what it would take.
            used += CountRemainingBytes(file, count - i - 1, limit, texts);
            out.neededBytes = used + texts.MadeBytes();
            return stopWith(ResultLoadStop::kOverLimit);
        }
        search.AppendFoundFile(std::move(record));
    }
    return stopWith(ResultLoadStop::kNone);
}

bool SaveResultFile(const FileSearch &search, const std::string &path, int *error, bool waitForReader)
{
    AtomicWriteOptions options;
    options.waitForReader = waitForReader;
    return WriteFileAtomically(
        path,
        [&search](std::FILE *file) {
            StdioSink sink(file);
            return SaveResults(search, sink);
        },
        options, error);
}

bool LoadResultFile(FileSearch &search, const std::string &path)
{
    std::FILE *file = OpenRegularFileForReading(path);
    if (!file)
        return false;
    StdioSource source(file);
    const bool ok = LoadResults(search, source);
    std::fclose(file); // read-only: nothing is lost if closing fails
    return ok;
}

} // namespace sifter
