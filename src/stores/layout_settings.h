// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The persistent window layout: the results list's column table and view mode, the
// criteria pane's width and the main frame's restored placement. Kept as the values of
// HKEY_CURRENT_USER\Software\Norvane\Sifter\Global, read once at start-up and written
// once at exit. The loaded copy of the main menu that the results list uses for column
// captions belongs to the GUI and is not part of this record.
#include "registry/registry_store.h"
#include "stores/view_mode.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sifter {

// One entry of the column table; the same 12 bytes in the "Columns" value.
struct ColumnSetting {
    std::uint32_t commandId; // View > Arrange Icons By command naming the column; 0 ends the table
    std::int32_t width;      // pixels
    std::uint8_t visible;    // non-zero: shown
    std::uint8_t reserved[3];
};
inline constexpr std::size_t kColumnSettingBytes = 12;
static_assert(sizeof(ColumnSetting) == kColumnSettingBytes);
static_assert(offsetof(ColumnSetting, commandId) == 0);
static_assert(offsetof(ColumnSetting, width) == 4);
static_assert(offsetof(ColumnSetting, visible) == 8);
static_assert(offsetof(ColumnSetting, reserved) == 9);

inline constexpr std::size_t kColumnSettingCount = 10;
inline constexpr std::size_t kColumnsValueBytes = kColumnSettingCount * kColumnSettingBytes;
static_assert(kColumnsValueBytes == 120);

using ColumnTable = std::array<ColumnSetting, kColumnSettingCount>;
using ColumnsValue = std::array<std::uint8_t, kColumnsValueBytes>;

// The key below HKEY_CURRENT_USER and the names of its values.
std::string LayoutSettingsKeyPath(); // Software\Norvane\Sifter\Global
inline constexpr std::string_view kColumnsValueName = "Columns";
inline constexpr std::string_view kStyleValueName = "Style";
inline constexpr std::string_view kWidthLeftPanelValueName = "WidthLeftPanel";
inline constexpr std::string_view kXValueName = "X";
inline constexpr std::string_view kYValueName = "Y";
inline constexpr std::string_view kWidthValueName = "Width";
inline constexpr std::string_view kHeightValueName = "Height";
inline constexpr std::string_view kMaximizedValueName = "bMax";
inline constexpr std::string_view kPreviewHeightValueName = "PreviewHeight";
inline constexpr std::string_view kPreviewPaneValueName = "PreviewPane";

// previewPane: hidden or shown by the user's choice, or (never chosen) shown after a
// content search and hidden after a search by name only.
inline constexpr std::uint32_t kPreviewPaneHidden = 0;
inline constexpr std::uint32_t kPreviewPaneShown = 1;
inline constexpr std::uint32_t kPreviewPaneAfterContentSearch = 2;
inline constexpr std::int32_t kDefaultPreviewHeight = 160;

// Defaults: Details view, a 180-pixel criteria pane, no stored placement.
inline constexpr std::uint32_t kDefaultListStyle = static_cast<std::uint32_t>(ViewMode::Details);
inline constexpr std::int32_t kDefaultWidthLeftPanel = 180;

// The table as created: Name, In Folder, Size, Type, Date Modified shown; Date Created,
// Date Last Visited, Attributes, Short Name hidden; then the end entry.
ColumnTable DefaultColumnTable();
// The table as the 120-byte "Columns" value (little-endian fields, reserved bytes as they are).
ColumnsValue EncodeColumnTable(const ColumnTable &table);
ColumnTable DecodeColumnTable(const ColumnsValue &bytes);

struct LayoutSettings {
    ColumnTable columns = DefaultColumnTable();
    std::uint32_t style = kDefaultListStyle; // list-view type bits; only 0 to 3 are meaningful
    std::int32_t widthLeftPanel = kDefaultWidthLeftPanel;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;  // 0: no placement stored
    std::int32_t height = 0; // 0: no placement stored
    std::uint32_t bMax = 0;  // non-zero: the frame was maximised
    std::int32_t previewHeight = kDefaultPreviewHeight; // pixels of the preview pane
    std::uint32_t previewPane = kPreviewPaneAfterContentSearch;

    // Fills the record from the store, opening or creating the key. Values are taken
    // as stored, without checks; a missing or longer-than-4-byte one leaves its field,
    // a shorter one replaces its low-order bytes; a "Columns" value replaces as many
    // leading bytes of the table as it holds, unless it holds more than 120.
    // True only when a non-empty "Columns" value was taken.
    bool LoadLayoutSettings(RegistryStore &store);
    // Writes all ten values; false only when the key cannot be opened or created.
    bool SaveLayoutSettings(RegistryStore &store) const;
    // The first entry with that command id; none for 0 or an id no entry has.
    ColumnSetting *FindColumnSetting(std::uint32_t commandId);
    const ColumnSetting *FindColumnSetting(std::uint32_t commandId) const;
};

} // namespace sifter
