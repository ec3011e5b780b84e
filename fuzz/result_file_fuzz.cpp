// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the result-file reader. Whatever it accepts must save, and
// what was saved must load back and save to the very same bytes.
#include "stores/byte_stream.h"
#include "stores/result_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    sifter::FileSearch search;
    sifter::MemorySource source(data, size);
    sifter::LoadResults(search, source);

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
