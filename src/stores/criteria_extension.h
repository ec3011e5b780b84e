// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The criteria the fixed record has no room for (ExtraCriteria), as the result file stores
// them: right after the record's 2,164 bytes, counted in the criteria length, so that
// readers of the plain format skip them and still read the record and the found files.
// They are tagged blocks: kCriteriaOptionsTag holds StoredCriteriaOptions, kExcludesTag
// the Exclude text.
#include "search/extra_criteria.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sifter {

inline constexpr char kCriteriaOptionsTag[4] = {'X', 'O', 'P', 'T'};
inline constexpr char kExcludesTag[4] = {'X', 'E', 'X', 'C'};
// Bytes after the record beyond this many are skipped unread.
inline constexpr std::uint32_t kMaxCriteriaExtension = 1u << 20;
// The longest Exclude text stored: what the limit leaves beside the options.
inline constexpr std::size_t kMaxStoredExcludes = kMaxCriteriaExtension - 64;

// Little-endian in the file, byte for byte.
struct StoredCriteriaOptions {
    std::uint8_t regexNames;
    std::uint8_t regexWords;
    std::uint8_t padding[2];
    std::int32_t relativeUnit1; // kRelative*
    std::uint32_t relativeCount1;
    std::int32_t relativeUnit2;
    std::uint32_t relativeCount2;
};
inline constexpr std::size_t kStoredCriteriaOptionsSize = 20;
static_assert(sizeof(StoredCriteriaOptions) == kStoredCriteriaOptionsSize);
static_assert(offsetof(StoredCriteriaOptions, regexNames) == 0);
static_assert(offsetof(StoredCriteriaOptions, regexWords) == 1);
static_assert(offsetof(StoredCriteriaOptions, padding) == 2);
static_assert(offsetof(StoredCriteriaOptions, relativeUnit1) == 4);
static_assert(offsetof(StoredCriteriaOptions, relativeCount1) == 8);
static_assert(offsetof(StoredCriteriaOptions, relativeUnit2) == 12);
static_assert(offsetof(StoredCriteriaOptions, relativeCount2) == 16);

// The blocks for extras; empty when none of them is used, so that such a file is the
// plain format. An Exclude text longer than kMaxStoredExcludes is left out.
std::vector<std::uint8_t> EncodeCriteriaExtension(const ExtraCriteria &extras);
// The extras from the bytes after the record: unknown tags are skipped, an options block
// of another size, an unknown unit and an Exclude text holding a NUL or longer than kMaxStoredExcludes
// are taken as unused.
ExtraCriteria DecodeCriteriaExtension(const std::uint8_t *bytes, std::size_t size);

} // namespace sifter
