// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copying and moving entries into a folder with a file manager's manners: progress, a question
// on every name conflict, and never a lost file. A move on one file system renames; across file
// systems each file is copied, synced and checked before its source goes, so a stop, a failure
// or a killed process leaves every file complete at its source or at its destination; a source
// that changed after its copy was made stays at both. What a killed transfer leaves hidden in a
// folder, the next transfer into that folder tidies up (transfer_leftovers.h).
// Paths are the file system's bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace sifter {

enum class TransferKind { kCopy, kMove };

// The answer to an existing name at the destination. kRename keeps both: the new entry takes
// a free name ("report (1).txt"). Replace on two folders merges them, asking for what is in both.
enum class ConflictAnswer { kReplace, kSkip, kRename, kCancel };

struct TransferProgress {
    std::string current;  // the source entry under way
    std::uint64_t filesDone = 0;
    std::uint64_t filesTotal = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
};

// What a transfer reports and asks while it runs; called on the calling thread only.
class TransferSink {
public:
    virtual ~TransferSink() = default;
    // Called at every entry and at least every megabyte copied, so the caller can paint and
    // answer a Cancel. False stops the transfer: the entry under way is abandoned (its partial
    // copy removed, its source kept) and nothing more starts.
    virtual bool Progress(const TransferProgress &progress) = 0;
    // source would land on target, which exists. Setting applyToAll gives the same answer to the
    // conflicts that follow without asking.
    virtual ConflictAnswer AskConflict(const std::string &source, const std::string &target, bool targetIsFolder,
                                       bool &applyToAll) = 0;
};

struct TransferFailure {
    std::string path;    // the source entry
    std::string reason;  // for the user
};

struct TransferOutcome {
    std::vector<TransferFailure> failures;
    bool cancelled = false;  // by the sink's Progress or a kCancel answer
};

struct TransferOptions {
    // Copies and removes even where a rename would do (the path across file systems, for tests
    // on machines with one file system).
    bool forceCopy = false;
};

// Copies or moves each source entry (a folder with its tree, links kept as links, permissions
// and modification times kept) into folder, in the order given.
TransferOutcome TransferEntries(const std::vector<std::string> &sources, const std::string &folder,
                                TransferKind kind, TransferSink &sink, const TransferOptions &options = {});

} // namespace sifter
