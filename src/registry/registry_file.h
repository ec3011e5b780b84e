// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One root of the registry store on disk: a REGEDIT4 text file that is only ever
// replaced whole (by the atomic writer of atomic_file.h) while an advisory lock on a
// neighbouring lock file is held, so readers never see a torn file and writers of
// several processes take turns.
#include "registry/regedit_text.h"
#include "registry/registry_tree.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sifter {

// A file larger than this is not read as a store (it cannot be one we wrote).
inline constexpr std::int64_t kMaxRegistryFileBytes = 64 * 1024 * 1024;

// Which version of a file is on disk, to notice that another process replaced it.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;

    bool operator==(const FileStamp &) const = default;
};

enum class RegistryFileState {
    Missing,    // no file: an empty store
    Unreadable, // there is a file, but it cannot be read (no access, not a file, I/O error)
    TooLarge,   // a file larger than kMaxRegistryFileBytes: not read, to be left as it is
    Broken,     // read, but not a REGEDIT4 text
    Read,       // read and parsed (parse tells about skipped lines)
};

struct RegistrySnapshot {
    RegistryFileState state = RegistryFileState::Missing;
    FileStamp stamp;     // of the version read
    std::string bytes;   // the file's content as read
    RegistryNode tree;   // empty unless state is Read
    RegeditParseResult parse;
};

class RegistryFile {
public:
    // The file folder/fileName holding the keys under rootName ("HKEY_CURRENT_USER").
    RegistryFile(std::string folder, std::string fileName, std::string rootName);
    ~RegistryFile();
    RegistryFile(const RegistryFile &) = delete;
    RegistryFile &operator=(const RegistryFile &) = delete;

    const std::string &Path() const { return path_; }
    const std::string &RootName() const { return rootName_; }

    // The stamp of what is at the path now (exists = false when nothing is).
    FileStamp CurrentStamp() const;
    // Reads and parses the file as it is now.
    RegistrySnapshot Read() const;

    // Takes the writers' lock, creating the folder (mode 0700) when missing; blocks
    // while another process holds it. False when the folder or lock file cannot be
    // created or opened.
    bool Lock();
    void Unlock();

    // Replaces the file's content with text atomically; only while locked. False (and
    // the file unchanged) on any failure. A symbolic link at the path is kept (a dotfiles
    // checkout, say): its target is replaced. Temporary files of writers that died are
    // removed first.
    bool Replace(std::string_view text);
    // Gives the version in snapshot a name of its own beside the file,
    // "<file>.<label>-YYYYMMDD-HHMMSS" (plus "-N" when taken), and returns that name;
    // move = true takes it away from the path. A symbolic link at the path is set aside
    // itself, never its target: moved as the link, or kept as a copy of the version's bytes.
    // Only while locked; empty on failure.
    std::string KeepAside(const RegistrySnapshot &snapshot, std::string_view label, bool move);

private:
    std::string folder_;
    std::string path_;
    std::string rootName_;
    int lockFd_ = -1;
};

} // namespace sifter
