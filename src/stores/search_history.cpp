// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/search_history.h"

#include "text/code_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_set>

namespace sifter {

std::string SearchHistoriesKeyPath()
{
    return std::string(kProgramRegistryKey) + "\\History";
}

std::string HistoryValueName(std::size_t index)
{
    char name[24];
    std::snprintf(name, sizeof name, "%.3zu", index);
    return name;
}

std::string CSearchHistory::KeyPath() const
{
    return SearchHistoriesKeyPath() + "\\" + name_;
}

bool CSearchHistory::Contains(std::string_view text) const
{
    if (text.empty())
        return true;
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::string &entry) { return EqualIgnoringAsciiCase(entry, text); });
}

int CSearchHistory::AddEntry(std::string_view text)
{
    if (Contains(text))
        return -1;
    entries_.emplace_back(text);
    return static_cast<int>(entries_.size() - 1);
}

namespace {

// The entries of an open history key in their order, by Load's rules: empty texts and
// later spellings of a text are dropped.
std::vector<std::string> ReadStoredEntries(const RegistryKey &key)
{
    std::vector<std::string> entries;
    std::unordered_set<std::string> seen;
    for (std::size_t index = 0;; ++index) {
        char buffer[kHistoryValueBytes] = {};
        std::uint32_t size = sizeof buffer;
        const QueryResult result = key.QueryValue(HistoryValueName(index), buffer, size);
        if (result == QueryResult::Missing)
            break;
        // An entry too long for the buffer is passed over rather than ending the list,
        // so that one long folder path does not take every later entry with it.
        if (result == QueryResult::BufferTooSmall || size == 0)
            continue;
        // A value without its terminating zero ends at its last byte.
        std::string text(buffer, strnlen(buffer, size));
        if (!text.empty() && seen.insert(FoldRegistryName(text)).second)
            entries.push_back(std::move(text));
    }
    return entries;
}

// Texts as the histories compare them (ASCII letters folded).
std::unordered_set<std::string> FoldedSet(const std::vector<std::string> &texts)
{
    std::unordered_set<std::string> folded;
    for (const std::string &text : texts)
        folded.insert(FoldRegistryName(text));
    return folded;
}

// fresh without what mine removed from base, then what mine added to it, in mine's order.
std::vector<std::string> MergeEntries(const std::vector<std::string> &base, const std::vector<std::string> &mine,
                                      const std::vector<std::string> &fresh)
{
    const std::unordered_set<std::string> known = FoldedSet(base);
    const std::unordered_set<std::string> kept = FoldedSet(mine);
    std::vector<std::string> merged;
    std::unordered_set<std::string> taken;
    for (const std::string &entry : fresh) {
        std::string folded = FoldRegistryName(entry);
        if (known.count(folded) > 0 && kept.count(folded) == 0)
            continue; // removed here (the Clear command)
        if (taken.insert(std::move(folded)).second)
            merged.push_back(entry);
    }
    for (const std::string &entry : mine) {
        std::string folded = FoldRegistryName(entry);
        if (known.count(folded) == 0 && taken.insert(std::move(folded)).second)
            merged.push_back(entry);
    }
    return merged;
}

} // namespace

bool CSearchHistory::Load(RegistryStore &store)
{
    if (name_.empty())
        return false;
    entries_.clear();
    RegistryKey key;
    if (!store.CreateKey(RegistryRoot::CurrentUser, KeyPath(), key))
        return false;
    entries_ = ReadStoredEntries(key);
    stored_ = entries_;
    key.Close();
    return true;
}

bool CSearchHistory::Save(RegistryStore &store)
{
    if (name_.empty())
        return false;
    // Holding the parent open makes the reading, the delete and the rewrite reach the file
    // together.
    RegistryKey histories;
    if (!store.CreateKey(RegistryRoot::CurrentUser, SearchHistoriesKeyPath(), histories))
        return false;
    if (stored_) {
        // Another running copy may have saved entries of its own since: they stay.
        std::vector<std::string> fresh;
        RegistryKey current;
        if (histories.OpenSubkey(name_, current))
            fresh = ReadStoredEntries(current);
        current.Close();
        entries_ = MergeEntries(*stored_, entries_, fresh);
    }
    histories.DeleteSubkey(name_); // a missing key is no error
    RegistryKey key;
    if (!histories.CreateSubkey(name_, key))
        return false;
    // A key that could not be deleted (someone put a subkey under it) still must not
    // keep old entries past the new end, or they would come back at the next Load.
    key.DeleteAllValues();
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const std::string &entry = entries_[index];
        // Failures of single values are not reported; the next save writes them again.
        key.SetValue(HistoryValueName(index), RegistryType::String, entry.c_str(),
                     static_cast<std::uint32_t>(entry.size() + 1));
    }
    stored_ = entries_;
    key.Close();
    histories.Close();
    return true;
}

HResult CSearchHistory::QueryInterface(InterfaceId id, StringEnumerator **out)
{
    if (!out)
        return kResultInvalidPointer;
    if (id == InterfaceId::Unknown || id == InterfaceId::StringEnumerator) {
        AddRef();
        *out = this;
        return kResultOk;
    }
    *out = nullptr;
    return kResultNoInterface;
}

std::uint32_t CSearchHistory::AddRef()
{
    return ++refCount_;
}

std::uint32_t CSearchHistory::Release()
{
    // An unbalanced Release must not wrap the count around.
    if (refCount_ > 0)
        --refCount_;
    return refCount_;
}

HResult CSearchHistory::Next(std::uint32_t count, std::u16string *strings, std::uint32_t *fetched)
{
    if (position_ >= entries_.size()) {
        if (fetched)
            *fetched = 0;
        return kResultFalse;
    }
    if (!strings && count > 0)
        return kResultInvalidPointer;
    const std::size_t n = std::min<std::size_t>(count, entries_.size() - position_);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string &entry = entries_[position_ + i];
        // UTF-16 never needs more units than UTF-8 has bytes.
        if (!CodePageToUtf16(entry, strings[i], entry.size()))
            strings[i].clear();
    }
    if (fetched)
        *fetched = static_cast<std::uint32_t>(n);
    position_ += n;
    return n == count ? kResultOk : kResultFalse;
}

HResult CSearchHistory::Skip(std::uint32_t count)
{
    position_ = std::min<std::size_t>(position_ + count, entries_.size());
    return position_ < entries_.size() ? kResultOk : kResultFalse;
}

HResult CSearchHistory::Reset()
{
    position_ = 0;
    return kResultOk;
}

HResult CSearchHistory::Clone(StringEnumerator **out)
{
    if (out)
        *out = nullptr;
    return kResultNotImplemented;
}

} // namespace sifter
