// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds Thunar uca.xml files to the splicing of our custom action. Nothing may crash; a text
// refused by one operation is refused by all with a reason; and on a text they take, adding
// our action gives a file that holds it once, adding it again changes nothing, and removing it
// gives a file without it, which is the input itself when the input did not hold it.
#include "desktop/thunar_actions.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kProgram = "/usr/bin/sifter";

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string error;
    const std::optional<bool> has = sifter::UcaTextHasOurAction(text, error);
    const std::optional<std::string> with = sifter::UcaTextWithOurAction(text, kProgram, error);
    const std::optional<std::string> without = sifter::UcaTextWithoutOurAction(text, error);
    if (!has) {
        // An empty text is no file yet, which adding makes; the rest refuse alike.
        Check(!error.empty() && !without && (with.has_value() == text.empty()));
        if (!text.empty())
            return 0;
    } else {
        Check(with && without);
        if (!*has)
            Check(*without == text);
    }
    Check(sifter::UcaTextHasOurAction(*with, error) == std::optional<bool>(true));
    Check(sifter::UcaTextWithOurAction(*with, kProgram, error) == with);
    const std::optional<std::string> removed = sifter::UcaTextWithoutOurAction(*with, error);
    Check(removed && sifter::UcaTextHasOurAction(*removed, error) == std::optional<bool>(false));
    return 0;
}
