// Feeds arbitrary bytes to the result-file reader. Whatever it accepts must save, and
// what was saved must load back and save to the very same bytes; measuring the bytes
// counts the records that loading keeps.
#include "doc/byte_stream.h"
#include "doc/result_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    sifter::FileSearch search;
    sifter::MemorySource source(data, size);
    sifter::LoadResults(search, source);
    // Measuring, which judges a file before it is loaded, must count what loading keeps.
    sifter::MemorySource measured(data, size);
    sifter::ResultsFootprint footprint;
    sifter::MeasureResults(measured, footprint);
    if (footprint.records != search.CountFoundFiles())
        std::abort();

    sifter::MemorySink first;
    if (!sifter::SaveResults(search, first))
        std::abort();
    sifter::FileSearch again;
    sifter::MemorySource saved(first.Bytes().data(), first.Bytes().size());
    if (!sifter::LoadResults(again, saved) || again.CountFoundFiles() != search.CountFoundFiles())
        std::abort();
    sifter::MemorySink second;
    if (!sifter::SaveResults(again, second) || second.Bytes() != first.Bytes())
        std::abort();
    return 0;
}
