// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a whole file so that its path shows either the old or the new content, never a
// mix. The bytes go to a temporary file "<name>.tmp-XXXXXX" beside the file really
// replaced, which is flushed to disk and renamed over it; the folder is flushed after.
// A symbolic link is kept and the file it leads to is replaced; a dangling link is
// replaced itself. The writer holds an exclusive flock on its temporary until it is
// renamed, so a later write of the same file removes the temporaries whose writer died
// (their lock can be taken) and leaves those of a living writer alone.
//
// A path that is (or leads to) a FIFO, a pipe or a character device is never replaced:
// it is written into directly. A folder is refused with EISDIR, a socket or a block
// device with ENXIO.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace sifter {

// What the temporary file's name adds to the name of the file it replaces, before six
// random letters and digits.
inline constexpr std::string_view kTemporaryInfix = ".tmp-";

struct AtomicWriteOptions {
    // Permission bits of a new file, from which the umask is taken away as open(2) does;
    // an existing file keeps its own.
    mode_t newFileMode = 0666;
    // Whether opening a FIFO waits for a reader, as a shell redirection does; else a FIFO
    // without a reader fails at once with ENXIO.
    bool waitForReader = false;
};

// Writes path whole with what write puts into the stream it is handed (open for writing
// at offset 0; it stays the writer's, who flushes and closes it). write returns false on
// failure, errno set where known. False with *error (when given) holding the errno of the
// first failing step, EIO where none is known; a replaced file then keeps its old content
// and no temporary is left.
bool WriteFileAtomically(const std::string &path, const std::function<bool(std::FILE *)> &write,
                         const AtomicWriteOptions &options = {}, int *error = nullptr);

// WriteFileAtomically with text as the whole content; false with error set to "cannot write
// <path>: <the system's reason>".
bool WriteTextFileAtomically(const std::string &path, std::string_view text, std::string &error);

// Does what WriteFileAtomically does before it writes: the same checks, the removal of
// stale temporaries, the creation (then removal) of the same temporary file, so that a
// path the write would refuse is refused here. A FIFO or device is not opened (that would
// hand a reader waiting on a FIFO an empty stream); it must allow writing. False with
// *error as above.
bool ProbeAtomicWrite(const std::string &path, int *error = nullptr);

// The file a write to path replaces: the end of a symbolic link's chain, else path itself
// (also when the link dangles).
std::string ReplacedFileOf(const std::string &path);

// Flushes the folder holding path to disk, so that a rename or link made there survives a
// power cut. Best effort: the change itself has happened either way.
void SyncFolderOf(const std::string &path);

} // namespace sifter
