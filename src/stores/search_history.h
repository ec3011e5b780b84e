// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One search history ("Names", "Words" or "Folders"): the distinct texts the user
// searched with, oldest first, kept in HKEY_CURRENT_USER\Software\Norvane\Sifter\History\<name>
// as String values "000", "001", ... ("%.3d"), and readable through its enumerator.
// Texts compare without regard to ASCII letter case; an entry keeps its first spelling.
#include "registry/registry_store.h"
#include "stores/string_enumerator.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

inline constexpr std::string_view kWordsHistoryName = "Words";
inline constexpr std::string_view kNamesHistoryName = "Names";
inline constexpr std::string_view kFoldersHistoryName = "Folders";
inline constexpr std::string_view kExcludesHistoryName = "Excludes";
// A stored entry is read into a buffer of this many bytes, terminating zero included.
inline constexpr std::uint32_t kHistoryValueBytes = 300;

// The key that holds the histories' keys, below HKEY_CURRENT_USER.
std::string SearchHistoriesKeyPath(); // Software\Norvane\Sifter\History
// The value name of the entry at index: at least three digits ("000", ..., "999", "1000").
std::string HistoryValueName(std::size_t index);

class CSearchHistory final : public StringEnumerator {
public:
    explicit CSearchHistory(std::string name) : name_(std::move(name)) {}
    ~CSearchHistory() override = default;
    CSearchHistory(const CSearchHistory &) = delete;
    CSearchHistory &operator=(const CSearchHistory &) = delete;

    // True when text is empty or equals an entry without regard to ASCII letter case.
    bool Contains(std::string_view text) const;
    // Appends text and returns its index; -1 (and nothing changed) when Contains(text).
    int AddEntry(std::string_view text);
    const std::vector<std::string> &Entries() const { return entries_; }
    void RemoveAll() { entries_.clear(); }

    // Replaces the entries with the stored ones, opening or creating the key; false
    // when Name() is empty or the key cannot be opened or created (entries then empty).
    // Reading stops at the first missing number; empty values, duplicates and values
    // longer than kHistoryValueBytes are passed over.
    bool Load(RegistryStore &store);
    // Writes the entries, merged with what another running copy stored meanwhile: the
    // stored entries are read again, those this history removed since its last Load or
    // Save are dropped, and the entries it added since are appended (the newest end), in
    // their order. The entries then are what was stored. A history never loaded replaces
    // what is stored. False when Name() is empty or the key cannot be created.
    bool Save(RegistryStore &store);

    // StringEnumerator over the live entries. Release never frees the history.
    HResult QueryInterface(InterfaceId id, StringEnumerator **out) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HResult Next(std::uint32_t count, std::u16string *strings, std::uint32_t *fetched) override;
    // Past the end the position stays at the end.
    HResult Skip(std::uint32_t count) override;
    HResult Reset() override;
    // Not offered: kResultNotImplemented with a null result.
    HResult Clone(StringEnumerator **out) override;

    std::uint32_t RefCount() const { return refCount_; }
    std::size_t Position() const { return position_; }

    // "Words", "Names" or "Folders"; also the name of the history's key.
    const std::string &Name() const { return name_; }

private:
    std::string KeyPath() const;

    // The entries as the store held them at the last Load or Save; none before the first.
    std::optional<std::vector<std::string>> stored_;
    std::string name_;
    std::vector<std::string> entries_;
    std::uint32_t refCount_ = 0;
    std::size_t position_ = 0; // index of the entry Next returns next
};

// The application's three histories and where they are saved, as the criteria pane and the
// main frame use them. The histories outlive both; a null member is a history not kept.
struct SearchHistories {
    CSearchHistory *names = nullptr;
    CSearchHistory *words = nullptr;
    CSearchHistory *folders = nullptr;
    CSearchHistory *excludes = nullptr;
    // The store, asked at every save (the application may replace its store); null or
    // returning null: not saved.
    std::function<RegistryStore *()> store;
};

} // namespace sifter
