// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hostile result file of the smallest records: a genuine header, then count records of
// one byte each (5 bytes on disk, a whole record in memory once loaded).
#include "stores/byte_stream.h"
#include "stores/result_file.h"

#include <string>

namespace sifter::test {

inline std::string TinyRecordsFile(const SearchCriteria &criteria, std::uint32_t count)
{
    FileSearch search;
    search.criteria = criteria;
    MemorySink header;
    SaveResults(search, header);
    std::string file(header.Bytes().begin(), header.Bytes().end());
    for (std::size_t i = 0; i < 4; ++i) // the count, little-endian, ends the header
        file[kResultHeaderSize - 4 + i] = static_cast<char>(count >> (8 * i));
    const std::string record("\x01\x00\x00\x00h", 5);
    file.reserve(file.size() + record.size() * count);
    for (std::uint32_t i = 0; i < count; ++i)
        file += record;
    return file;
}

} // namespace sifter::test
