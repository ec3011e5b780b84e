// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes, as a file's content, to the PE version reader. It must never
// read outside them, and whatever strings it gives are well-formed UTF-8.
#include "fs/pe_version.h"
#include "text/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    sifter::PeVersionStrings strings;
    const bool read = sifter::ReadPeVersionStrings(std::span<const std::uint8_t>(data, size), strings);
    for (const auto *text : {&strings.description, &strings.company, &strings.fileVersion}) {
        if (*text && (!read || !sifter::IsValidUtf8(**text)))
            std::abort();
    }
    return 0;
}
