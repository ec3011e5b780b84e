// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the registry store's REGEDIT4 reader. Whatever it reads must
// write out and read back as the same tree, with nothing skipped the second time.
#include "registry/regedit_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    sifter::RegistryNode tree;
    const sifter::RegeditParseResult first = sifter::ParseRegeditText(text, kRoot, tree);
    if (!first.recognised)
        return 0;
    const std::string written = sifter::WriteRegeditText(tree, kRoot);
    sifter::RegistryNode again;
    const sifter::RegeditParseResult second = sifter::ParseRegeditText(written, kRoot, again);
    if (!second.recognised || second.Lossy() || !(again == tree))
        std::abort();
    return 0;
}
