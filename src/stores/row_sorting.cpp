// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/row_sorting.h"

#include "res/resource_ids.h"
#include "search/found_file.h"
#include "search/text_field.h"
#include "stores/file_texts.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <limits>
#include <string>

namespace sifter {
namespace {

enum class KeyKind { None, Text, Size, Time, Attributes };

KeyKind KindOf(std::uint32_t commandId)
{
    switch (commandId) {
    case cmd::kArrangeByName:
    case cmd::kArrangeByFolder:
    case cmd::kArrangeByType:
    case cmd::kArrangeByShortName:
        return KeyKind::Text;
    case cmd::kArrangeBySize:
        return KeyKind::Size;
    case cmd::kArrangeByModified:
    case cmd::kArrangeByCreated:
    case cmd::kArrangeByVisited:
        return KeyKind::Time;
    case cmd::kArrangeByAttributes:
        return KeyKind::Attributes;
    default:
        return KeyKind::None;
    }
}

std::string_view TextKey(const FoundFile &record, std::uint32_t commandId)
{
    switch (commandId) {
    case cmd::kArrangeByName:
        return record.Name();
    case cmd::kArrangeByFolder:
        return record.Folder();
    case cmd::kArrangeByType:
        return record.TypeName();
    default: {
        const std::string_view shortName = record.ShortName();
        return shortName.empty() ? record.Name() : shortName;
    }
    }
}

FileTime TimeOf(const FoundFile &record, std::uint32_t commandId)
{
    switch (commandId) {
    case cmd::kArrangeByModified:
        return record.lastWriteTime;
    case cmd::kArrangeByCreated:
        return record.creationTime;
    default:
        return record.lastAccessTime;
    }
}

template <typename T>
int Sign(T left, T right)
{
    return left < right ? -1 : (right < left ? 1 : 0);
}

// Eight folded bytes from offset, most significant first, zero-padded: ordering these
// numbers orders the texts as far as the eight bytes tell (texts hold no NUL).
std::uint64_t FoldedPrefix(std::string_view text, std::size_t offset = 0)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = offset; i < offset + sizeof prefix; ++i) {
        const unsigned char byte = i < text.size() ? AsciiLower(static_cast<unsigned char>(text[i])) : 0;
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

// The attribute letters (at most four) as one number that orders as their text does.
std::uint64_t AttributeKey(std::uint32_t attributes)
{
    return FoldedPrefix(FormatAttributes(attributes));
}

// The time key of a row: LocalSortSeconds, through the conversions of the whole sort; the
// keys its range rules give (before 1900, past 2038) are made one by one.
std::int32_t TimeKey(LocalSecondsCache &seconds, FileTime time)
{
    const std::int64_t local = seconds.Seconds(time);
    if (local > 0 && local <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(local);
    return LocalSortSeconds(time);
}

template <typename Key>
struct KeyedRow {
    Key key;
    FoundFile *record;
};

// Sorts by precomputed keys and writes the order back into rows.
template <typename Key, typename Less>
void SortByKeys(std::vector<FoundFile *> &rows, std::vector<KeyedRow<Key>> &keyed, bool descending, Less less)
{
    if (descending)
        std::stable_sort(keyed.begin(), keyed.end(), [&less](const auto &a, const auto &b) { return less(b, a); });
    else
        std::stable_sort(keyed.begin(), keyed.end(), less);
    for (std::size_t i = 0; i < keyed.size(); ++i)
        rows[i] = keyed[i].record;
}

template <typename Key, typename MakeKey>
void SortByNumber(std::vector<FoundFile *> &rows, bool descending, MakeKey makeKey)
{
    std::vector<KeyedRow<Key>> keyed;
    keyed.reserve(rows.size());
    for (FoundFile *record : rows)
        keyed.push_back({makeKey(*record), record});
    SortByKeys(rows, keyed, descending, [](const KeyedRow<Key> &a, const KeyedRow<Key> &b) { return a.key < b.key; });
}

// The first sixteen folded bytes decide most comparisons without reading the records;
// the texts themselves only break ties between longer texts.
constexpr std::size_t kPrefixBytes = 16;

struct TextSortKey {
    std::uint64_t head;
    std::uint64_t tail;
    std::string_view text;
};

void SortByText(std::vector<FoundFile *> &rows, const SortState &state)
{
    std::vector<KeyedRow<TextSortKey>> keyed;
    keyed.reserve(rows.size());
    for (FoundFile *record : rows) {
        const std::string_view text = TextKey(*record, state.sortCommandId);
        keyed.push_back({{FoldedPrefix(text), FoldedPrefix(text, sizeof(std::uint64_t)), text}, record});
    }
    SortByKeys(rows, keyed, state.sortDescending, [](const auto &a, const auto &b) {
        if (a.key.head != b.key.head)
            return a.key.head < b.key.head;
        if (a.key.tail != b.key.tail)
            return a.key.tail < b.key.tail;
        if (a.key.text.size() <= kPrefixBytes || b.key.text.size() <= kPrefixBytes)
            return a.key.text.size() < b.key.text.size();
        return CompareTextNoCase(a.key.text.substr(kPrefixBytes), b.key.text.substr(kPrefixBytes)) < 0;
    });
}

} // namespace

void SortState::ArrangeBy(std::uint32_t id)
{
    sortDescending = id == sortCommandId && !sortDescending;
    sortCommandId = id;
}

int CompareTextNoCase(std::string_view text1, std::string_view text2)
{
    const std::size_t common = std::min(text1.size(), text2.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto byte1 = static_cast<unsigned char>(text1[i]);
        const auto byte2 = static_cast<unsigned char>(text2[i]);
        if (byte1 != byte2 && AsciiLower(byte1) != AsciiLower(byte2))
            return AsciiLower(byte1) < AsciiLower(byte2) ? -1 : 1;
    }
    return Sign(text1.size(), text2.size());
}

std::int32_t LocalSortSeconds(FileTime time)
{
    constexpr int kFirstCountedYear = 1900;
    SystemTime fields;
    if (!FileTimeToLocalFields(time, fields))
        return 0;
    // LocalFieldsToSeconds gives 0 for these years; they lie before 1970 all the same.
    if (fields.year < kFirstCountedYear)
        return -1;
    const std::int64_t seconds = LocalFieldsToSeconds(fields);
    if (seconds < 0 || seconds > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(seconds);
}

int CompareRows(const FoundFile *record1, const FoundFile *record2, const SortState &state)
{
    if (!record1 || !record2)
        return 0;
    int ascending = 0;
    switch (KindOf(state.sortCommandId)) {
    case KeyKind::None:
        return 0;
    case KeyKind::Text:
        ascending = CompareTextNoCase(TextKey(*record1, state.sortCommandId), TextKey(*record2, state.sortCommandId));
        break;
    case KeyKind::Size:
        ascending = Sign(record1->size, record2->size);
        break;
    case KeyKind::Time:
        ascending = Sign(LocalSortSeconds(TimeOf(*record1, state.sortCommandId)),
                         LocalSortSeconds(TimeOf(*record2, state.sortCommandId)));
        break;
    case KeyKind::Attributes:
        ascending = CompareTextNoCase(FormatAttributes(record1->attributes),
                                      FormatAttributes(record2->attributes));
        break;
    }
    return state.sortDescending ? -ascending : ascending;
}

void SortRows(std::vector<FoundFile *> &rows, const SortState &state)
{
    const std::uint32_t id = state.sortCommandId;
    switch (KindOf(id)) {
    case KeyKind::None:
        return;
    case KeyKind::Text:
        SortByText(rows, state);
        return;
    case KeyKind::Size:
        SortByNumber<std::uint64_t>(rows, state.sortDescending,
                                    [](const FoundFile &record) { return record.size; });
        return;
    case KeyKind::Time: {
        // The zone is looked up once here, so that the whole sort uses one zone.
        LocalSecondsCache seconds;
        SortByNumber<std::int32_t>(rows, state.sortDescending, [&seconds, id](const FoundFile &record) {
            return TimeKey(seconds, TimeOf(record, id));
        });
        return;
    }
    case KeyKind::Attributes:
        SortByNumber<std::uint64_t>(rows, state.sortDescending,
                                    [](const FoundFile &record) { return AttributeKey(record.attributes); });
        return;
    }
}

} // namespace sifter
