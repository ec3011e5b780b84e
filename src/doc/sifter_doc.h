// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSifterDoc: the document. It holds one FileSearch (criteria, running flag, result set),
// reads and writes it as a result file, and keeps the modified mark " *" in its title.
#include "framework/document.h"
#include "fs/available_memory.h"
#include "search/file_search.h"
#include "stores/result_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace sifter {

class CSifterDoc : public Document {
    Q_OBJECT

public:
    // What a row of an opened file costs the window beyond its record and texts: its place
    // in the results model's row list and in the views, with room to spare.
    static constexpr std::size_t kWindowBytesPerRow = 64;
    // The rows of an opened file may take at most this share of the available memory...
    static constexpr std::uint64_t kAvailableShare = 4;
    // ...and never more than this.
    static constexpr std::uint64_t kMostRowMemory = std::uint64_t{4} << 30;

    CSifterDoc();
    // Clears the running flag and frees every record. A search run must have returned.
    ~CSifterDoc() override;

    FileSearch &Search() { return fileSearch_; }
    const FileSearch &Search() const { return fileSearch_; }

    // Busy while a search run or a file operation on the records (a copy or move with its
    // own event loop) is in progress: nothing may free its records then.
    bool IsBusy() const override { return fileSearch_.InRun() || fileOperations_ > 0; }
    // A file operation on the records begins or ends; they may nest.
    void BeginFileOperation() { ++fileOperations_; }
    void EndFileOperation() { --fileOperations_; }

    // Runs a search with the current criteria: tells SearchRunStarting, sets the running
    // flag, runs, clears it, and then tells SearchRunEnded. -1 (nothing done, nothing told)
    // while another run is in progress.
    int RunSearch(const SearchSinks &sinks);
    // Where a run started from the window puts its rows: the results list, which names
    // itself here for as long as it lives; null when there is none.
    ResultsSink *RowSink() const { return rowSink_; }
    void SetRowSink(ResultsSink *sink) { rowSink_ = sink; }
    // Asks a running search to stop at its next check (the running flag is cleared).
    void StopSearch() { fileSearch_.SetRunning(false); }

    // Contents reset: all records freed (after ResultSetAboutToBeFreed), then the default
    // criteria. During a run the records stay.
    void DeleteContents() override;
    // Refused without touching the document, with a message naming the file and what is
    // wrong with it: a file that cannot be opened, is not a result file, is cut short inside
    // its header, or whose rows would need more memory than RowMemoryLimit allows (the
    // message names how much). The file is read once, before the document's contents are
    // freed, which then take its records (a file cut short among its records keeps those
    // before the cut).
    bool OnOpenDocument(const QString &path) override;
    // The most memory the rows of an opened file may take when available bytes are free
    // (0: unknown): a quarter of them, at most kMostRowMemory, each row counted with
    // kWindowBytesPerRow.
    static ResultLoadLimit RowMemoryLimitFor(std::uint64_t available);
    // Where the document learns how many bytes of memory are available (0: unknown, no
    // limit); AvailableMemory unless replaced.
    void SetAvailableMemoryProbe(std::function<std::uint64_t()> probe) { availableMemory_ = std::move(probe); }
    // true: the flag is set and " *" appended to the title unless the title (of two or
    // more characters) already ends with "*". false: only the flag changes.
    void SetModifiedFlag(bool modified = true) override;
    // The title without "/ \ : * ? \" < > |", trimmed, plus ".sifter".
    QString ProposedFileName() const override;

signals:
    // A search run is about to begin: the rows of the last one are about to go.
    void SearchRunStarting();
    // A search run has returned (its records may be freed again).
    void SearchRunEnded();
    // Every record of the result set is about to be freed: drop whatever points at them.
    void ResultSetAboutToBeFreed();

protected:
    // Takes the records OnOpenDocument has read; called on its own, reads the result file
    // (a file cut short keeps the records read up to the cut and counts as read, as does
    // one beyond the memory limit, with its records up to the limit). False only when the
    // file cannot be opened.
    bool ReadDocument(const QString &path) override;
    // Writes the result file atomically; false on any failure.
    bool WriteDocument(const QString &path) override;

private:
    // Shows the message of a file that was not opened (nothing without a template).
    void TellOpenFailure(const QString &message) const;
    // RowMemoryLimitFor what the probe says is available now.
    ResultLoadLimit RowMemoryLimit() const;

    FileSearch fileSearch_;
    std::unique_ptr<FileSearch> staged_; // the opened file's records, while its contents are replaced
    std::function<std::uint64_t()> availableMemory_ = AvailableMemory;
    int fileOperations_ = 0;
    ResultsSink *rowSink_ = nullptr;
};

} // namespace sifter
