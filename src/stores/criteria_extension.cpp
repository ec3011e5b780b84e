// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/criteria_extension.h"

#include "stores/tagged_blocks.h"
#include "text/little_endian.h"

#include <array>
#include <string_view>

namespace sifter {
namespace {

std::string_view TagOf(const char (&tag)[kBlockTagSize])
{
    return {tag, kBlockTagSize};
}

RelativeDate CheckedRelative(std::int32_t unit, std::uint32_t count)
{
    if (unit < kRelativeNone || unit > kRelativeLast)
        return {};
    return {unit, count};
}

std::array<std::uint8_t, kStoredCriteriaOptionsSize> EncodeOptions(const ExtraCriteria &extras)
{
    std::array<std::uint8_t, kStoredCriteriaOptionsSize> bytes{};
    bytes[offsetof(StoredCriteriaOptions, regexNames)] = extras.regexNames ? 1 : 0;
    bytes[offsetof(StoredCriteriaOptions, regexWords)] = extras.regexWords ? 1 : 0;
    PutLittleEndian32(bytes.data() + offsetof(StoredCriteriaOptions, relativeUnit1),
                      static_cast<std::uint32_t>(extras.date1.unit));
    PutLittleEndian32(bytes.data() + offsetof(StoredCriteriaOptions, relativeCount1), extras.date1.count);
    PutLittleEndian32(bytes.data() + offsetof(StoredCriteriaOptions, relativeUnit2),
                      static_cast<std::uint32_t>(extras.date2.unit));
    PutLittleEndian32(bytes.data() + offsetof(StoredCriteriaOptions, relativeCount2), extras.date2.count);
    return bytes;
}

void DecodeOptions(std::string_view block, ExtraCriteria &extras)
{
    if (block.size() != kStoredCriteriaOptionsSize)
        return; // another layout: none of it can be trusted
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(block.data());
    extras.regexNames = bytes[offsetof(StoredCriteriaOptions, regexNames)] != 0;
    extras.regexWords = bytes[offsetof(StoredCriteriaOptions, regexWords)] != 0;
    extras.date1 =
        CheckedRelative(static_cast<std::int32_t>(GetLittleEndian32(bytes + offsetof(StoredCriteriaOptions, relativeUnit1))),
                        GetLittleEndian32(bytes + offsetof(StoredCriteriaOptions, relativeCount1)));
    extras.date2 =
        CheckedRelative(static_cast<std::int32_t>(GetLittleEndian32(bytes + offsetof(StoredCriteriaOptions, relativeUnit2))),
                        GetLittleEndian32(bytes + offsetof(StoredCriteriaOptions, relativeCount2)));
}

} // namespace

std::vector<std::uint8_t> EncodeCriteriaExtension(const ExtraCriteria &extras)
{
    std::vector<std::uint8_t> out;
    if (!extras.Used())
        return out;
    const auto options = EncodeOptions(extras);
    AppendBlock(out, kCriteriaOptionsTag,
                std::string_view(reinterpret_cast<const char *>(options.data()), options.size()));
    if (!extras.excludes.empty() && extras.excludes.size() <= kMaxStoredExcludes)
        AppendBlock(out, kExcludesTag, extras.excludes);
    return out;
}

ExtraCriteria DecodeCriteriaExtension(const std::uint8_t *bytes, std::size_t size)
{
    ExtraCriteria extras;
    ForEachBlock(bytes, size, [&extras](std::string_view tag, std::string_view block) {
        if (tag == TagOf(kCriteriaOptionsTag))
            DecodeOptions(block, extras);
        else if (tag == TagOf(kExcludesTag) && block.find('\0') == std::string_view::npos &&
                 block.size() <= kMaxStoredExcludes)
            extras.excludes = block;
    });
    return extras;
}

} // namespace sifter
