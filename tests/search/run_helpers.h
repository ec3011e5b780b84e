// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sinks that record what a run tells them, and a short way to run a search.
#include "search/file_search.h"
#include "search/found_file.h"
#include "search/search_sinks.h"
#include "search/text_field.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sifter::test {

class RecordingSinks : public ResultsSink, public StatusSink, public EventPump {
public:
    void ClearResultRows() override
    {
        ++clears;
        rows.clear();
    }
    void AddResultRow(FoundFile &record) override
    {
        rows.push_back(&record);
        if (onRow)
            onRow(record);
    }
    void ShowSearchFolder(const std::string &folder) override { statusTexts.push_back(folder); }
    void DispatchPendingEvents() override
    {
        ++dispatches;
        if (onDispatch)
            onDispatch();
    }

    SearchSinks Sinks() { return {this, this, this}; }

    int clears = 0;
    int dispatches = 0;
    std::vector<FoundFile *> rows;
    std::vector<std::string> statusTexts;
    std::function<void(FoundFile &)> onRow;
    std::function<void()> onDispatch;
};

// The threads given; with workers, every folder handed over to them, cached or not, as the
// tests of the hand-over need on their small cached trees.
inline void SetThreadsListingAsCold(FileSearch &search, std::size_t threads)
{
    search.SetWorkerThreads(threads);
    search.SetColdListingCost({});
    search.SetColdTestCost({});
}

// Criteria with the given texts on top of the defaults.
inline void SetTexts(FileSearch &search, std::string_view names, std::string_view words, std::string_view folders)
{
    search.ResetCriteria();
    SetTextField(search.criteria.names, names);
    SetTextField(search.criteria.words, words);
    SetTextField(search.criteria.folders, folders);
}

// Runs as the Search command does: flag set before, cleared after.
inline void Run(FileSearch &search, RecordingSinks &sinks)
{
    search.SetRunning(true);
    search.RunSearch(sinks.Sinks());
    search.SetRunning(false);
}

// Paths of the records in list order, relative to root when they lie below it.
inline std::vector<std::string> FoundPaths(const FileSearch &search, const std::string &root)
{
    std::vector<std::string> paths;
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        std::string path = record->Path();
        if (path.rfind(root + "/", 0) == 0)
            path = path.substr(root.size() + 1);
        paths.push_back(path);
    }
    return paths;
}

} // namespace sifter::test
