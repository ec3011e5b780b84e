// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the entry at a record's path is still the one the record describes. A command that
// erases, trashes, renames or moves acts on what is there now, which may have become something
// else since the search (a file replaced by a folder, a saved result file opened a week later):
// it looks first and asks before it acts on anything else.
#include "fs/folder_listing.h"
#include "text/file_time.h"

#include <QString>

#include <cstdint>
#include <string>

namespace sifter {

struct FoundFile;

// What a record says of its entry, copied so that it outlives the record (a question turns
// the event loop, which may change the rows).
struct RecordedEntry {
    std::string path;
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    FileTime lastWriteTime = 0;
};

RecordedEntry RecordedEntryOf(const FoundFile &record);

enum class EntryChange {
    kSame,        // the kind the record has and, for a file, its size and modification time
    kChanged,     // something else is there now
    kVanished,    // nothing is there
    kUnreadable,  // something may be there but cannot be examined (error says why)
};

struct EntryCheck {
    EntryChange change = EntryChange::kSame;
    EntryData now;  // what is there, for kSame and kChanged
    int error = 0;  // errno, for kUnreadable
};

// What is at the entry's path now, next to what was recorded.
EntryCheck CheckRecordedEntry(const RecordedEntry &entry);

// True when data is a folder itself (not a link to one).
bool IsFolderEntry(const EntryData &data);

// "a file of 1.2 KB", "a folder of 101 items", "a symbolic link", "a special file": what is
// at path, whose data is data (a folder's items counted through its whole tree).
QString DescribeEntryNow(const std::string &path, const EntryData &data);

// One sentence naming the entry, what was recorded and what is there now ("tree" was a file
// when it was found; it is now a folder of 101 items), for a kChanged check.
QString EntryChangeText(const RecordedEntry &entry, const EntryData &now);

} // namespace sifter
