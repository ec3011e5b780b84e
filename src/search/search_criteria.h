// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SearchCriteria: every criterion of a search in one fixed 2,164-byte record, the form in
// which the result file stores it.
#include "text/file_time.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace sifter {

inline constexpr std::size_t kCriteriaNamesSize = 512;
inline constexpr std::size_t kCriteriaWordsSize = 512;
inline constexpr std::size_t kCriteriaFoldersSize = 1024;
inline constexpr std::size_t kSearchCriteriaSize = 2164;

// wordMode
inline constexpr std::int32_t kWordModeAny = 0;
inline constexpr std::int32_t kWordModeAll = 1;
inline constexpr std::int32_t kWordModePhrase = 2;
inline constexpr std::int32_t kWordModeWithout = 3;

// sizeUnit
inline constexpr std::int32_t kSizeUnitNone = 0;
inline constexpr std::int32_t kSizeUnitBytes = 1;
inline constexpr std::int32_t kSizeUnitKB = 2;
inline constexpr std::int32_t kSizeUnitMB = 3;
inline constexpr std::int32_t kSizeUnitGB = 4;

// sizeCompare1/2 and dateCompare1/2
inline constexpr std::int32_t kCompareNone = 0;
inline constexpr std::int32_t kCompareEqual = 1;
inline constexpr std::int32_t kCompareAtLeast = 2; // dates: at or after
inline constexpr std::int32_t kCompareAtMost = 3;  // dates: at or before

// dateKind
inline constexpr std::int32_t kDateKindNone = 0;
inline constexpr std::int32_t kDateKindModified = 1;
inline constexpr std::int32_t kDateKindCreated = 2;
inline constexpr std::int32_t kDateKindAccessed = 3;

// datePart
inline constexpr std::int32_t kDatePartDate = 0;
inline constexpr std::int32_t kDatePartTime = 1;
inline constexpr std::int32_t kDatePartDateTime = 2;

// In memory in host order; EncodeCriteria/DecodeCriteria give the stored little-endian bytes.
// Text fields are NUL-terminated, the rest of each field zero (SetTextField).
struct SearchCriteria {
    char names[kCriteriaNamesSize];     // file-name patterns separated by ";"
    char words[kCriteriaWordsSize];     // words separated by blanks
    char folders[kCriteriaFoldersSize]; // folders separated by ";"
    std::int32_t wordMode;
    std::uint8_t hexadecimal;
    std::uint8_t unicodeUtf8;
    std::uint8_t padding1[2];
    std::int32_t sizeUnit;
    std::int32_t sizeCompare1;
    std::int32_t sizeCompare2;
    std::uint32_t sizeValue1;
    std::uint32_t sizeValue2;
    std::int32_t dateKind;
    std::int32_t datePart;
    std::int32_t dateCompare1;
    std::int32_t dateCompare2;
    SystemTime date1; // local time; its date part is the first bound's date
    SystemTime date2;
    SystemTime time1; // its time part is the first bound's time of day
    SystemTime time2;
    std::uint8_t searchHidden;
    std::uint8_t searchReadOnly;
    std::uint8_t searchSystem;
    std::uint8_t searchSubfolders;
    std::uint8_t caseSensitive;
    std::uint8_t searchShortNames;
    std::uint8_t padding2[2];
};

static_assert(sizeof(SearchCriteria) == kSearchCriteriaSize);
static_assert(offsetof(SearchCriteria, names) == 0);
static_assert(offsetof(SearchCriteria, words) == 512);
static_assert(offsetof(SearchCriteria, folders) == 1024);
static_assert(offsetof(SearchCriteria, wordMode) == 2048);
static_assert(offsetof(SearchCriteria, hexadecimal) == 2052);
static_assert(offsetof(SearchCriteria, unicodeUtf8) == 2053);
static_assert(offsetof(SearchCriteria, padding1) == 2054);
static_assert(offsetof(SearchCriteria, sizeUnit) == 2056);
static_assert(offsetof(SearchCriteria, sizeCompare1) == 2060);
static_assert(offsetof(SearchCriteria, sizeCompare2) == 2064);
static_assert(offsetof(SearchCriteria, sizeValue1) == 2068);
static_assert(offsetof(SearchCriteria, sizeValue2) == 2072);
static_assert(offsetof(SearchCriteria, dateKind) == 2076);
static_assert(offsetof(SearchCriteria, datePart) == 2080);
static_assert(offsetof(SearchCriteria, dateCompare1) == 2084);
static_assert(offsetof(SearchCriteria, dateCompare2) == 2088);
static_assert(offsetof(SearchCriteria, date1) == 2092);
static_assert(offsetof(SearchCriteria, date2) == 2108);
static_assert(offsetof(SearchCriteria, time1) == 2124);
static_assert(offsetof(SearchCriteria, time2) == 2140);
static_assert(offsetof(SearchCriteria, searchHidden) == 2156);
static_assert(offsetof(SearchCriteria, searchReadOnly) == 2157);
static_assert(offsetof(SearchCriteria, searchSystem) == 2158);
static_assert(offsetof(SearchCriteria, searchSubfolders) == 2159);
static_assert(offsetof(SearchCriteria, caseSensitive) == 2160);
static_assert(offsetof(SearchCriteria, searchShortNames) == 2161);
static_assert(offsetof(SearchCriteria, padding2) == 2162);

using CriteriaBytes = std::array<std::uint8_t, kSearchCriteriaSize>;

// Defaults: every byte zero, unicodeUtf8 and the four search* flags except
// searchShortNames set, the four SYSTEMTIMEs set to `now`.
void ResetCriteria(SearchCriteria &criteria, const SystemTime &now);
// The record as stored: little-endian, byte for byte.
CriteriaBytes EncodeCriteria(const SearchCriteria &criteria);
// The record from its stored bytes; the last byte of each text field is forced to NUL so
// that a hostile file can never leave a text unterminated.
SearchCriteria DecodeCriteria(const CriteriaBytes &bytes);

} // namespace sifter
