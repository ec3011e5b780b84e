// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/layout_settings.h"

#include "res/resource_ids.h"
#include "text/little_endian.h"

#include <cstring>
#include <utility>

namespace sifter {

namespace {

constexpr std::int32_t kWideColumn = 120;
constexpr std::int32_t kNarrowColumn = 80;
constexpr std::size_t kDwordBytes = 4;

// Queries a value straight into a 4-byte field: whatever type it has, a missing or too
// long one leaves the field, a shorter one overwrites only its low-order bytes.
void LoadDword(const RegistryKey &key, std::string_view name, std::uint32_t &field)
{
    std::uint8_t bytes[kDwordBytes];
    PutLittleEndian32(bytes, field);
    std::uint32_t size = sizeof bytes;
    if (key.QueryValue(name, bytes, size) == QueryResult::Ok)
        field = GetLittleEndian32(bytes);
}

void LoadDword(const RegistryKey &key, std::string_view name, std::int32_t &field)
{
    auto bits = static_cast<std::uint32_t>(field);
    LoadDword(key, name, bits);
    field = static_cast<std::int32_t>(bits);
}

} // namespace

std::string LayoutSettingsKeyPath()
{
    return std::string(kProgramRegistryKey) + "\\Global";
}

ColumnTable DefaultColumnTable()
{
    return {{
        {cmd::kArrangeByName, kWideColumn, 1, {}},
        {cmd::kArrangeByFolder, kWideColumn, 1, {}},
        {cmd::kArrangeBySize, kNarrowColumn, 1, {}},
        {cmd::kArrangeByType, kNarrowColumn, 1, {}},
        {cmd::kArrangeByModified, kNarrowColumn, 1, {}},
        {cmd::kArrangeByCreated, kNarrowColumn, 0, {}},
        {cmd::kArrangeByVisited, kNarrowColumn, 0, {}},
        {cmd::kArrangeByAttributes, kNarrowColumn, 0, {}},
        {cmd::kArrangeByShortName, kNarrowColumn, 0, {}},
        {0, kNarrowColumn, 0, {}},
    }};
}

ColumnsValue EncodeColumnTable(const ColumnTable &table)
{
    ColumnsValue bytes{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::uint8_t *entry = bytes.data() + i * kColumnSettingBytes;
        PutLittleEndian32(entry + offsetof(ColumnSetting, commandId), table[i].commandId);
        PutLittleEndian32(entry + offsetof(ColumnSetting, width), static_cast<std::uint32_t>(table[i].width));
        entry[offsetof(ColumnSetting, visible)] = table[i].visible;
        std::memcpy(entry + offsetof(ColumnSetting, reserved), table[i].reserved, sizeof table[i].reserved);
    }
    return bytes;
}

ColumnTable DecodeColumnTable(const ColumnsValue &bytes)
{
    ColumnTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint8_t *entry = bytes.data() + i * kColumnSettingBytes;
        table[i].commandId = GetLittleEndian32(entry + offsetof(ColumnSetting, commandId));
        table[i].width = static_cast<std::int32_t>(GetLittleEndian32(entry + offsetof(ColumnSetting, width)));
        table[i].visible = entry[offsetof(ColumnSetting, visible)];
        std::memcpy(table[i].reserved, entry + offsetof(ColumnSetting, reserved), sizeof table[i].reserved);
    }
    return table;
}

bool LayoutSettings::LoadLayoutSettings(RegistryStore &store)
{
    RegistryKey key;
    if (!store.CreateKey(RegistryRoot::CurrentUser, LayoutSettingsKeyPath(), key))
        return false;
    LoadDword(key, kStyleValueName, style);
    LoadDword(key, kWidthLeftPanelValueName, widthLeftPanel);
    LoadDword(key, kXValueName, x);
    LoadDword(key, kYValueName, y);
    LoadDword(key, kWidthValueName, width);
    LoadDword(key, kHeightValueName, height);
    LoadDword(key, kMaximizedValueName, bMax);
    LoadDword(key, kPreviewHeightValueName, previewHeight);
    LoadDword(key, kPreviewPaneValueName, previewPane);

    ColumnsValue scratch{};
    std::uint32_t size = kColumnsValueBytes;
    const QueryResult result = key.QueryValue(kColumnsValueName, scratch.data(), size);
    key.Close();
    if (result != QueryResult::Ok || size == 0)
        return false;
    ColumnsValue table = EncodeColumnTable(columns);
    std::memcpy(table.data(), scratch.data(), size);
    columns = DecodeColumnTable(table);
    return true;
}

bool LayoutSettings::SaveLayoutSettings(RegistryStore &store) const
{
    RegistryKey key;
    if (!store.CreateKey(RegistryRoot::CurrentUser, LayoutSettingsKeyPath(), key))
        return false;
    const ColumnsValue table = EncodeColumnTable(columns);
    // Single values that fail are not reported, as for every other caller of the store.
    key.SetValue(kColumnsValueName, RegistryType::Binary, table.data(), kColumnsValueBytes);
    key.SetDword(kStyleValueName, style);
    key.SetDword(kWidthLeftPanelValueName, static_cast<std::uint32_t>(widthLeftPanel));
    key.SetDword(kXValueName, static_cast<std::uint32_t>(x));
    key.SetDword(kYValueName, static_cast<std::uint32_t>(y));
    key.SetDword(kWidthValueName, static_cast<std::uint32_t>(width));
    key.SetDword(kHeightValueName, static_cast<std::uint32_t>(height));
    key.SetDword(kMaximizedValueName, bMax);
    key.SetDword(kPreviewHeightValueName, static_cast<std::uint32_t>(previewHeight));
    key.SetDword(kPreviewPaneValueName, previewPane);
    key.Close();
    return true;
}

ColumnSetting *LayoutSettings::FindColumnSetting(std::uint32_t commandId)
{
    return const_cast<ColumnSetting *>(std::as_const(*this).FindColumnSetting(commandId));
}

const ColumnSetting *LayoutSettings::FindColumnSetting(std::uint32_t commandId) const
{
    if (commandId == 0)
        return nullptr;
    for (const ColumnSetting &entry : columns) {
        if (entry.commandId == commandId)
            return &entry;
    }
    return nullptr;
}

} // namespace sifter
