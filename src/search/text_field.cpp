// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/text_field.h"

#include "text/code_page.h"

#include <cstring>

namespace sifter {

bool SetTextField(char *field, std::size_t size, std::string_view text)
{
    if (size == 0)
        return text.empty();
    const std::string_view kept = CutToField(text, size);
    std::memset(field, 0, size);
    if (!kept.empty())
        std::memcpy(field, kept.data(), kept.size());
    return kept.size() == text.size();
}

std::string_view TextField(const char *field, std::size_t size)
{
    const void *end = std::memchr(field, 0, size);
    return {field, end ? static_cast<std::size_t>(static_cast<const char *>(end) - field) : size};
}

} // namespace sifter
