#include "doc/result_file.h"

#include "platform/code_page.h"
#include "platform/little_endian.h"
#include "platform/path.h"
#include "search/text_field.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

constexpr std::size_t kTagSize = 4;
constexpr std::size_t kBlockHeaderSize = kTagSize + 4;

// A 32-bit value; bytes the source does not deliver count as zero.
std::uint32_t ReadUint32(ByteSource &file)
{
    std::uint8_t bytes[4] = {};
    file.Read(bytes, sizeof bytes);
    return GetLittleEndian32(bytes);
}

bool WriteUint32(ByteSink &file, std::uint32_t value)
{
    std::uint8_t bytes[4];
    PutLittleEndian32(bytes, value);
    return file.Write(bytes, sizeof bytes);
}

void AppendBlock(std::vector<std::uint8_t> &out, const char (&tag)[kTagSize], std::string_view text)
{
    std::uint8_t length[4];
    PutLittleEndian32(length, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), tag, tag + kTagSize);
    out.insert(out.end(), length, length + 4);
    out.insert(out.end(), text.begin(), text.end());
}

// The whole text of a block, accepted only when it is a plausible name and the field
// holds exactly its cut: a file edited elsewhere keeps what its field says.
bool AgreesWithField(std::string_view whole, const char *field, std::size_t fieldSize)
{
    return whole.find('\0') == std::string_view::npos && CutToField(whole, fieldSize) == TextField(field, fieldSize);
}

// Takes the long texts from the tagged blocks beyond a record's 672 bytes; unknown tags and
// a block cut short are ignored.
void ApplyRecordExtension(FoundFile &record, const std::uint8_t *bytes, std::size_t size)
{
    std::size_t position = 0;
    while (size - position >= kBlockHeaderSize) {
        const std::uint8_t *block = bytes + position;
        const std::uint32_t length = GetLittleEndian32(block + kTagSize);
        if (length > size - position - kBlockHeaderSize)
            return;
        const std::string_view text(reinterpret_cast<const char *>(block + kBlockHeaderSize), length);
        if (std::memcmp(block, kLongNameTag, kTagSize) == 0) {
            if (AgreesWithField(text, record.stored.name, kFoundNameSize))
                record.SetName(text);
        } else if (std::memcmp(block, kLongFolderTag, kTagSize) == 0) {
            if (AgreesWithField(text, record.stored.folder, kFoundFolderSize))
                record.SetFolder(text);
        }
        position += kBlockHeaderSize + length;
    }
}

// Opens a regular file for reading without ever blocking on a FIFO or device.
// The permission bits a newly created file would get under the process's umask.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return 0644; // the usual umask 022 when /proc does not say
}

} // namespace

std::FILE *OpenRegularFileForReading(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    // Blocking reads are fine on a regular file; a failure here only keeps O_NONBLOCK,
    // which regular files ignore.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE *file = regular ? fdopen(fd, "rb") : nullptr;
    if (!file)
        close(fd);
    return file;
}

bool WriteFoundFile(const FoundFile &record, ByteSink &file)
{
    std::vector<std::uint8_t> extension;
    if (record.Name() != TextField(record.stored.name))
        AppendBlock(extension, kLongNameTag, record.Name());
    if (record.Folder() != TextField(record.stored.folder))
        AppendBlock(extension, kLongFolderTag, record.Folder());
    if (extension.size() > kMaxRecordExtension)
        extension.clear(); // cannot be a real path; the fields still hold its start
    const FoundFileBytes bytes = EncodeFoundFile(record.stored);
    return WriteUint32(file, static_cast<std::uint32_t>(kStoredRecordLength + extension.size())) &&
           file.Write(bytes.data(), bytes.size()) && file.Write(extension.data(), extension.size());
}

bool ReadFoundFile(FoundFile &record, ByteSource &file)
{
    const std::uint32_t length = ReadUint32(file);
    if (length == 0)
        return false;
    FoundFileBytes bytes{};
    const std::size_t wanted = std::min<std::size_t>(length, kStoredRecordLength);
    if (file.Read(bytes.data(), wanted) < wanted)
        return false;
    record.stored = DecodeFoundFile(bytes);
    if (length <= kStoredRecordLength)
        return true;
    const std::uint32_t extra = length - kStoredRecordLength;
    if (extra > kMaxRecordExtension) {
        file.Skip(extra);
        return true;
    }
    std::vector<std::uint8_t> extension(extra);
    const std::size_t got = file.Read(extension.data(), extension.size());
    ApplyRecordExtension(record, extension.data(), got);
    return true;
}

bool SaveResults(const FileSearch &search, ByteSink &file)
{
    const std::size_t count = search.CountFoundFiles();
    if (count > UINT32_MAX || !file.Rewind())
        return false;
    const CriteriaBytes criteria = EncodeCriteria(search.criteria);
    if (!file.Write(kResultMagic, kResultMagicSize) || !WriteUint32(file, kStoredCriteriaLength) ||
        !file.Write(criteria.data(), criteria.size()) || !WriteUint32(file, static_cast<std::uint32_t>(count)))
        return false;
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        if (!WriteFoundFile(*record, file))
            return false;
    }
    return true;
}

bool CheckResultMagic(ByteSource &file)
{
    std::uint8_t bytes[kResultMagicSize] = {};
    if (!file.Rewind())
        return false;
    file.Read(bytes, sizeof bytes);
    return std::memcmp(bytes, kResultMagic, kResultMagicSize) == 0;
}

bool LoadResults(FileSearch &search, ByteSource &file)
{
    if (!search.ClearFoundFiles())
        return false; // refused during a run
    if (!CheckResultMagic(file))
        return false;
    search.ResetCriteria();

    const std::uint32_t criteriaLength = ReadUint32(file);
    // Bytes the file does not deliver keep their reset values.
    CriteriaBytes criteria = EncodeCriteria(search.criteria);
    file.Read(criteria.data(), std::min<std::size_t>(criteriaLength, criteria.size()));
    search.criteria = DecodeCriteria(criteria);
    if (criteriaLength > kStoredCriteriaLength)
        file.Skip(criteriaLength - kStoredCriteriaLength);

    // The count is only an upper bound: nothing is reserved for it, reading stops at the
    // first record that is not there.
    const std::uint32_t count = ReadUint32(file);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<FoundFile> record(new (std::nothrow) FoundFile);
        if (!record || !ReadFoundFile(*record, file))
            return false;
        search.AppendFoundFile(std::move(record));
    }
    return true;
}

bool SaveResultFile(const FileSearch &search, const std::string &path, int *error)
{
    int failure = 0;
    // errno of a failed step, or EIO where the step sets none (a short stdio write).
    auto fail = [&failure] {
        if (failure == 0)
            failure = errno != 0 ? errno : EIO;
    };
    // Write beside the real target (a link is written through) and rename over it.
    std::string target = path;
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
        if (resolved)
            target = resolved.get(); // a dangling link is replaced itself
    }
    const bool exists = stat(target.c_str(), &info) == 0;
    std::string temporary = target + ".XXXXXX";
    errno = 0;
    const int fd = mkstemp(temporary.data());
    std::FILE *file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        fail();
        if (fd >= 0) {
            close(fd);
            unlink(temporary.c_str());
        }
    } else {
        // A failed chmod leaves the temporary's 0600, which is safe, only stricter.
        fchmod(fd, exists ? (info.st_mode & 07777) : NewFileMode());
        StdioSink sink(file);
        errno = 0;
        if (!SaveResults(search, sink) || std::fflush(file) != 0 || fsync(fileno(file)) != 0)
            fail();
        errno = 0;
        if (std::fclose(file) != 0)
            fail();
        errno = 0;
        if (failure == 0 && rename(temporary.c_str(), target.c_str()) != 0)
            fail();
        if (failure != 0)
            unlink(temporary.c_str()); // nothing to do if this fails too: the target is untouched
    }
    if (failure != 0) {
        if (error)
            *error = failure;
        return false;
    }
    // Makes the rename itself durable; the file is complete and in place either way.
    std::string folder = target;
    if (!PathRemoveLastComponent(folder))
        folder = ".";
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
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

bool CheckResultFileMagic(const std::string &path)
{
    std::FILE *file = OpenRegularFileForReading(path);
    if (!file)
        return false;
    StdioSource source(file);
    const bool ok = CheckResultMagic(source);
    std::fclose(file); // read-only: nothing is lost if closing fails
    return ok;
}

} // namespace sifter
