// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result file (".sifter"): magic "SF01" and a zero byte, the criteria length and
// record, the record count, then per found file a 32-bit length and its stored bytes.
//
// Criteria beyond the record (stores/criteria_extension.h) make the criteria length longer,
// so the plain format's readers skip them; a search without them writes the length 2,164.
//
// A record whose name or folder is longer than its field is written with a longer length:
// after the 672 bytes follow tagged blocks (4-byte tag, 32-bit length, bytes) carrying the
// whole texts. Readers of the plain format skip them; a record of length 672 has none.
#include "search/file_search.h"
#include "stores/byte_stream.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace sifter {

inline constexpr std::uint8_t kResultMagic[5] = {'S', 'F', '0', '1', 0};
inline constexpr std::size_t kResultMagicSize = 5;
inline constexpr std::uint32_t kStoredCriteriaLength = 2164;
inline constexpr std::uint32_t kStoredRecordLength = 672;
inline constexpr std::size_t kResultHeaderSize = 2177; // magic, length, criteria, count
// Tags of the blocks after a record's 672 bytes.
inline constexpr char kLongNameTag[4] = {'L', 'N', 'A', 'M'};
inline constexpr char kLongFolderTag[4] = {'L', 'F', 'L', 'D'};
// A record's name may be at most this long, the system's limit on one path component.
inline constexpr std::size_t kMaxFoundNameBytes = NAME_MAX;
// A record's bytes beyond 672 are examined up to this many; more are skipped unread.
inline constexpr std::uint32_t kMaxRecordExtension = 1u << 20;

// Writes the whole file from offset 0: header, criteria, every record head to tail.
// False on a write error (or more than 2^32 - 1 records).
bool SaveResults(const FileSearch &search, ByteSink &file);
// Five bytes from offset 0 (bytes not delivered count as zero) equal the magic.
bool CheckResultMagic(ByteSource &file);
// The same for the five bytes from where the source stands, reading forward only, so
// that a pipe can be checked and then read on.
bool ReadResultMagic(ByteSource &file);
// The criteria length and record that follow the magic, read over the values criteria
// holds (a shorter length fills only the first bytes, a longer one is skipped), and the
// record count the header announces (an upper bound, nothing to reserve by). False when
// the file ends inside the header: the criteria then hold what was delivered, count is 0.
// The criteria beyond the record's bytes go into *extras when given (else they are skipped);
// extras keep their values when the file has none.
bool ReadResultCriteria(SearchCriteria &criteria, ByteSource &file, std::uint32_t &count,
                        ExtraCriteria *extras = nullptr);

// Why LoadResults stopped before the end of the records.
enum class ResultLoadStop {
    kNone,          // the criteria and every announced record were read
    kBusy,          // refused during a run
    kNotResultFile, // the file does not begin with the magic
    kHeaderCut,     // the file ends inside its header
    kDamagedRecord, // a record could not be read (ReadFoundFile)
    kOverLimit,     // the records would take more memory than the limit allows
};

// How much memory the records of a file may take.
struct ResultLoadLimit {
    // Bytes for the records: their MemoryFootprint, the texts they share and perRowBytes each.
    std::uint64_t memoryBytes = UINT64_MAX;
    // What each record costs its holder beyond the record (a row of the window's list).
    std::size_t perRowBytes = 0;
};

struct ResultLoadReport {
    ResultLoadStop stop = ResultLoadStop::kNone;
    // With kOverLimit: the bytes that every record of the file would take, counted (not
    // kept) on to its end or to a record that cannot be read.
    std::uint64_t neededBytes = 0;
};

// Empties the list, checks the magic, resets the criteria and reads them, then the
// records. False when refused during a run, on a bad magic, when the header is cut short,
// at the first record that cannot be read, or at the first that would take the records
// beyond the limit; records read before it stay in the list. *report (when given) says which.
bool LoadResults(FileSearch &search, ByteSource &file, const ResultLoadLimit &limit = {},
                 ResultLoadReport *report = nullptr);

// One record: its length, the 672 bytes, and the long-text blocks when needed.
bool WriteFoundFile(const FoundFile &record, ByteSink &file);
// One record into a zeroed record: length M (0 when nothing is delivered) must not be 0,
// min(M, 672) bytes must be delivered, the long texts are taken from the blocks beyond
// 672 when they agree with the fields, anything else beyond is skipped. The name must not
// be empty (the path would be the folder) nor longer than kMaxFoundNameBytes.
// Records read with the same texts share their folder and type-name texts.
struct RecordTexts {
    FoundFile::TextShare folders;
    FoundFile::TextShare typeNames;
    std::size_t MadeBytes() const { return folders.MadeBytes() + typeNames.MadeBytes(); }
};
bool ReadFoundFile(FoundFile &record, ByteSource &file, RecordTexts *texts = nullptr);

// Convenience for paths. Saving goes through WriteFileAtomically (platform/atomic_file.h):
// a file is replaced whole or not at all, through a temporary beside it that no failure
// leaves behind; a symbolic link is kept and its target replaced; an existing file keeps
// its permissions, a new one gets 0666 less the umask; a FIFO or character device is
// written into (waitForReader: a FIFO without a reader is waited for, else refused at
// once); a folder, socket or block device is refused. On failure *error (when given)
// gets the errno of the first failing step. Loading opens the path for reading; false
// when it cannot be opened.
bool SaveResultFile(const FileSearch &search, const std::string &path, int *error = nullptr,
                    bool waitForReader = false);
bool LoadResultFile(FileSearch &search, const std::string &path);
// Opens a regular file for reading without ever opening, let alone blocking on, a FIFO,
// device or folder put at the path; null for anything else, with *error (when given) set
// to the errno of the failed step, or to 0 when the path is not a regular file. The
// caller closes it.
std::FILE *OpenRegularFileForReading(const std::string &path, int *error = nullptr);

} // namespace sifter
