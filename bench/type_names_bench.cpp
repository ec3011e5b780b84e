// SPDX-License-Identifier: GPL-3.0-or-later
// Times what type names cost a listing of every entry: RunSearch of every entry of the
// folder (default /usr) with type names wanted and not wanted, taking turns (medians of
// warm runs); then the type lookup over the same names, cached as a run does it, next to
// the MIME database asked for each name on its own (no cache), per name. Not a test: it
// only prints figures, each beside its peer and their ratio.
//
//   type_names_bench [--runs N] [FOLDER]
#include "desktop/type_names.h"
#include "fs/file_attributes.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "bench_timing.h"

#include <QMimeDatabase>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace sifter {
namespace {

constexpr const char *kDefaultFolder = "/usr";
// The uncached peer asks the database for this many names (it takes tens of µs each).
constexpr std::size_t kUncachedNames = 20'000;

struct Listing {
    double seconds = 0;
    std::size_t records = 0;
    std::size_t lookups = 0;
    std::vector<std::string> names;
};

Listing ListEveryEntry(const std::string &folder, bool typeNames)
{
    FileSearch search;
    SetTextField(search.criteria.folders, folder);
    search.SetTypeNamesWanted(typeNames);
    Listing listing;
    listing.seconds = Seconds([&] {
        search.SetRunning(true);
        search.RunSearch(SearchSinks{});
        search.SetRunning(false);
    });
    listing.lookups = search.TypeNameLookups();
    for (const FoundFile *record = search.Head(); record; record = record->next) {
        ++listing.records;
        if ((record->attributes & kAttributeFolder) == 0)
            listing.names.emplace_back(record->Name());
    }
    return listing;
}

int Main(int argc, char **argv)
{
    int runs = 5;
    std::string folder = kDefaultFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (argv[i][0] != '-') {
            folder = argv[i];
        } else {
            std::fprintf(stderr, "usage: type_names_bench [--runs N] [FOLDER]\n");
            return 2;
        }
    }
    std::vector<double> with, without;
    Listing last;
    for (int round = 0; round <= runs; ++round) { // round 0 warms the cache, untimed
        Listing wanted;
        Listing unwanted;
        RunInTurn(
            round, [&] { wanted = ListEveryEntry(folder, true); }, [&] { unwanted = ListEveryEntry(folder, false); });
        if (round > 0) {
            with.push_back(wanted.seconds);
            without.push_back(unwanted.seconds);
        }
        last = std::move(wanted);
    }
    std::printf("%s: every entry, %zu records; %u cores; medians of %d warm runs, taking turns\n", folder.c_str(),
                last.records, std::thread::hardware_concurrency(), runs);
    std::printf("  RunSearch, type names wanted      %.3f s (%zu database lookups)\n", Median(with), last.lookups);
    std::printf("  RunSearch, no type names          %.3f s\n", Median(without));
    std::printf("  ratio wanted / not wanted: %.2f\n", Median(with) / Median(without));

    // The lookup alone, over the files' names in walk order.
    TypeNames cached;
    std::size_t characters = 0;
    const double cachedSeconds = Seconds([&] {
        for (const std::string &name : last.names)
            characters += cached.TypeName(name, false).size();
    });
    const std::size_t sample = std::min(kUncachedNames, last.names.size());
    const QMimeDatabase database;
    const double uncachedSeconds = Seconds([&] {
        for (std::size_t i = 0; i < sample; ++i) {
            const std::string &name = last.names[i];
            characters += static_cast<std::size_t>(
                database.mimeTypeForFile(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())),
                                         QMimeDatabase::MatchExtension)
                    .comment()
                    .size());
        }
    });
    const double cachedPerName = cachedSeconds / static_cast<double>(last.names.size()) * 1e6;
    const double uncachedPerName = sample ? uncachedSeconds / static_cast<double>(sample) * 1e6 : 0;
    std::printf("type lookup over %zu file names (%zu database lookups)\n", last.names.size(), cached.DatabaseLookups());
    std::printf("  cached                            %.3f s, %.2f us a name\n", cachedSeconds, cachedPerName);
    std::printf("  the database for each name        %.2f us a name (first %zu names)\n", uncachedPerName, sample);
    std::printf("  ratio cached / each name: %.3f   (%zu characters)\n",
                uncachedPerName > 0 ? cachedPerName / uncachedPerName : 0.0, characters);
    return 0;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
