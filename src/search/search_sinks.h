// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a search run reaches the world outside the engine: the caller hands these in.
#include <string>

namespace sifter {

struct FoundFile;

// Receives each match the moment it is found (AddResultRow). The record stays owned by
// the FileSearch; the sink must not free it.
class ResultsSink {
public:
    virtual ~ResultsSink() = default;
    // Called once at the start of a run, before the result set is emptied: remove all rows
    // (their records are freed right after).
    virtual void ClearResultRows() = 0;
    // A new last row for the record.
    virtual void AddResultRow(FoundFile &record) = 0;
};

// Receives the folder being searched, for the status bar or a terminal.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void ShowSearchFolder(const std::string &folder) = 0;
};

// Dispatches pending events so that the user can act (and press Stop) during a run.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void DispatchPendingEvents() = 0;
};

// The three together, as RunSearch takes them. Any may be null (nothing is told).
struct SearchSinks {
    ResultsSink *results = nullptr;
    StatusSink *status = nullptr;
    EventPump *pump = nullptr;
    // Whether their calls may change a file or folder: rows and status that are only shown
    // or printed change nothing, a pump runs whatever the user does meanwhile. When they
    // cannot, the walk need not check after their calls that the folders it listed ahead
    // are still the ones it found.
    bool rowsMayChangeFiles = true;   // results
    bool eventsMayChangeFiles = true; // status and pump
};

} // namespace sifter
