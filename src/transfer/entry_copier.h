// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making the copy of one entry that is not a folder (a file, a link, a FIFO) in a folder, where
// it appears under its name only when complete. Paths are the file system's bytes.
#include "text/translation.h"
#include "transfer/file_content_copy.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace sifter {

enum class CopyResult {
    kCopied,
    kExists,     // without replace: the name is taken; nothing changed
    kCancelled,  // the chunk callback said stop; nothing is left of the copy
    kFailed,     // nothing is left of the copy; error says why
};

// What a copy was made of, for removing its source afterwards.
struct CopiedEntry {
    struct stat source {};  // as copied: a file's read from the descriptor its bytes came through
    dev_t device = 0;       // the file system the copy is on (for syncing it)
};

// Keeps what it learns about the system (no clone or copy_file_range between two file
// systems, no O_TMPFILE) for the copies that follow; one per run, not shared between threads.
class EntryCopier {
public:
    // Told the bytes of the file done so far after each step of at most a megabyte or a hole
    // (counted as done, unread), while more is to come; false abandons the copy.
    using ChunkCallback = ContentCopier::StepCallback;

    // Copies source, whose lstat is status, to folder/name with its permission bits and times,
    // checking a file's size. replace swaps an existing non-folder entry of that name for the
    // copy in one rename; without it a taken name gives kExists. A device or a socket fails,
    // and so does a file whose place another kind of entry (a FIFO, a link) has taken since
    // status was read: it is never read or waited on; a file that changes while it is copied
    // fails. copied tells what was copied.
    CopyResult Copy(const std::string &source, const struct stat &status, const std::string &folder,
                    const std::string &name, bool replace, const ChunkCallback &onChunk, std::string &error,
                    CopiedEntry &copied);

private:
    struct Destination;

    CopyResult CopyFile(const std::string &source, const std::string &folder, const std::string &target,
                        bool replace, const ChunkCallback &onChunk, std::string &error, CopiedEntry &copied);
    CopyResult CopyContent(int in, const struct stat &status, int out, const ChunkCallback &onChunk,
                           std::string &error);
    bool OpenDestination(const std::string &folder, Destination &destination, std::string &error);
    CopyResult Publish(Destination &destination, const std::string &folder, const std::string &target, bool replace,
                       std::string &error);
    CopyResult CopySpecial(const std::string &source, const struct stat &status, const std::string &folder,
                           const std::string &target, bool replace, std::string &error, CopiedEntry &copied);
    std::string TemporaryName(const std::string &folder);

    ContentCopier content_;
    bool procChecked_ = false;
    bool anonymousFilesWork_ = true;
    unsigned temporaryCounter_ = 0;
};

// The system's text for errno value error, as a user reads it.
std::string ErrorText(int error);
// The message with the system's text for error as its last value.
std::string ErrorMessage(CatalogueText message, int error);

} // namespace sifter
