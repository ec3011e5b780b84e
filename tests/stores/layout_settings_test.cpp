// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/layout_settings.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>


namespace sifter {
namespace {

using test::TempTree;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

class LayoutSettingsTest : public ::testing::Test {
protected:
    // Sets a value under the layout key, as another program (or a hand edit) might.
    void Store(std::string_view name, RegistryType type, std::string_view data)
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, LayoutSettingsKeyPath(), key));
        ASSERT_TRUE(key.SetValue(name, type, data.data(), static_cast<std::uint32_t>(data.size())));
    }
    std::string Stored(std::string_view name, RegistryType *type = nullptr)
    {
        RegistryKey key;
        RegistryType storedType{};
        std::string data;
        if (!store.OpenKey(kUser, LayoutSettingsKeyPath(), key) || !key.ReadValue(name, storedType, data))
            return "<missing>";
        if (type)
            *type = storedType;
        return data;
    }

    TempTree tree;
    RegistryStore store{tree.Path("config")};
};

std::string Le32(std::uint32_t n)
{
    return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
}

TEST(ColumnTable, DefaultsAreTheTableOfTheProgram)
{
    const ColumnTable table = DefaultColumnTable();
    const std::uint32_t ids[] = {32771, 32772, 32773, 32774, 32775, 32776, 32777, 32778, 32780, 0};
    const std::int32_t widths[] = {120, 120, 80, 80, 80, 80, 80, 80, 80, 80};
    const std::uint8_t visible[] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < kColumnSettingCount; ++i) {
        EXPECT_EQ(table[i].commandId, ids[i]) << i;
        EXPECT_EQ(table[i].width, widths[i]) << i;
        EXPECT_EQ(table[i].visible, visible[i]) << i;
        EXPECT_EQ(table[i].reserved[0] | table[i].reserved[1] | table[i].reserved[2], 0) << i;
    }
}

TEST(ColumnTable, EncodesAsTwelveLittleEndianBytesPerEntry)
{
    ColumnTable table = DefaultColumnTable();
    table[1].width = -2;
    table[1].reserved[2] = 0x5A;
    const ColumnsValue bytes = EncodeColumnTable(table);
    const std::string expectedFirst = Le32(32771) + Le32(120) + std::string("\x01\0\0\0", 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes.data()), 12), expectedFirst);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes.data()) + 12, 12),
              Le32(32772) + Le32(0xFFFFFFFE) + std::string("\x01\0\0\x5A", 4));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytes.data()) + 108, 12),
              Le32(0) + Le32(80) + std::string(4, '\0'));
    const ColumnTable back = DecodeColumnTable(bytes);
    EXPECT_EQ(back[1].width, -2);
    EXPECT_EQ(back[1].reserved[2], 0x5A);
    EXPECT_EQ(EncodeColumnTable(back), bytes);
}

TEST_F(LayoutSettingsTest, FirstRunCreatesTheKeyAndKeepsDefaults)
{
    LayoutSettings settings;
    EXPECT_FALSE(settings.LoadLayoutSettings(store));
    RegistryKey key;
    EXPECT_TRUE(store.OpenKey(kUser, "Software\\Norvane\\Sifter\\Global", key));
    EXPECT_EQ(settings.style, 1u);
    EXPECT_EQ(settings.widthLeftPanel, 180);
    EXPECT_EQ(settings.x, 0);
    EXPECT_EQ(settings.y, 0);
    EXPECT_EQ(settings.width, 0);
    EXPECT_EQ(settings.height, 0);
    EXPECT_EQ(settings.bMax, 0u);
    EXPECT_EQ(EncodeColumnTable(settings.columns), EncodeColumnTable(DefaultColumnTable()));
}

TEST_F(LayoutSettingsTest, SaveWritesAllTenValuesAndLoadReadsThemBack)
{
    LayoutSettings saved;
    saved.columns[2].width = 333;
    saved.columns[6].visible = 1;
    saved.style = 3;
    saved.widthLeftPanel = 250;
    saved.x = -10;
    saved.y = 20;
    saved.width = 800;
    saved.height = 600;
    saved.bMax = 1;
    saved.previewHeight = 210;
    saved.previewPane = kPreviewPaneHidden;
    ASSERT_TRUE(saved.SaveLayoutSettings(store));

    RegistryType type{};
    EXPECT_EQ(Stored("Columns", &type).size(), 120u);
    EXPECT_EQ(type, RegistryType::Binary);
    for (std::string_view name : {"Style", "WidthLeftPanel", "X", "Y", "Width", "Height", "bMax", "PreviewHeight", "PreviewPane"}) {
        EXPECT_EQ(Stored(name, &type).size(), 4u) << name;
        EXPECT_EQ(type, RegistryType::Dword) << name;
    }
    EXPECT_EQ(Stored("X"), Le32(0xFFFFFFF6));

    RegistryStore reopened(tree.Path("config"));
    LayoutSettings loaded;
    EXPECT_TRUE(loaded.LoadLayoutSettings(reopened));
    EXPECT_EQ(EncodeColumnTable(loaded.columns), EncodeColumnTable(saved.columns));
    EXPECT_EQ(loaded.style, 3u);
    EXPECT_EQ(loaded.widthLeftPanel, 250);
    EXPECT_EQ(loaded.x, -10);
    EXPECT_EQ(loaded.y, 20);
    EXPECT_EQ(loaded.width, 800);
    EXPECT_EQ(loaded.height, 600);
    EXPECT_EQ(loaded.bMax, 1u);
    EXPECT_EQ(loaded.previewHeight, 210);
    EXPECT_EQ(loaded.previewPane, kPreviewPaneHidden);
}

TEST_F(LayoutSettingsTest, StoreWithoutThePreviewValuesLoadsWithTheirDefaults)
{
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Software\\Norvane\\Sifter\\Global", key));
    key.SetDword("Style", 2);
    LayoutSettings loaded;
    loaded.LoadLayoutSettings(store);
    EXPECT_EQ(loaded.style, 2u);
    EXPECT_EQ(loaded.previewHeight, kDefaultPreviewHeight);
    EXPECT_EQ(loaded.previewPane, kPreviewPaneAfterContentSearch);
}

TEST_F(LayoutSettingsTest, StoredValuesAreTakenWithoutValidation)
{
    Store("Style", RegistryType::Dword, Le32(0x12345678));
    Store("WidthLeftPanel", RegistryType::Dword, Le32(0xFFFFFF00)); // -256
    Store("Width", RegistryType::Dword, Le32(100000));
    LayoutSettings settings;
    settings.LoadLayoutSettings(store);
    EXPECT_EQ(settings.style, 0x12345678u);
    EXPECT_EQ(settings.widthLeftPanel, -256);
    EXPECT_EQ(settings.width, 100000);
}

TEST_F(LayoutSettingsTest, ShortDwordReplacesOnlyLowOrderBytesAndLongOneIsIgnored)
{
    Store("WidthLeftPanel", RegistryType::Binary, std::string("\x07", 1));
    Store("X", RegistryType::Binary, "12345"); // 5 bytes: too long
    Store("Y", RegistryType::Dword, "");        // no bytes at all
    LayoutSettings settings;
    settings.widthLeftPanel = 0x11223344;
    settings.x = 42;
    settings.y = 43;
    settings.LoadLayoutSettings(store);
    EXPECT_EQ(settings.widthLeftPanel, 0x11223307);
    EXPECT_EQ(settings.x, 42);
    EXPECT_EQ(settings.y, 43);
}

TEST_F(LayoutSettingsTest, WrongTypedValuesAreReadAsTheirBytes)
{
    Store("Style", RegistryType::String, std::string("\x02\0", 2)); // a text of one control character
    Store("bMax", RegistryType::String, std::string("1\0", 2));
    LayoutSettings settings;
    settings.LoadLayoutSettings(store);
    EXPECT_EQ(settings.style, 2u);        // low bytes 02 00, the rest of the default 1 is zero
    EXPECT_EQ(settings.bMax, 0x31u);      // '1' then the zero
}

TEST_F(LayoutSettingsTest, TwelveByteColumnsValueReplacesOnlyTheFirstEntry)
{
    const std::string entry = Le32(32778) + Le32(200) + std::string("\x01\x09\x08\x07", 4);
    Store("Columns", RegistryType::Binary, entry);
    LayoutSettings settings;
    EXPECT_TRUE(settings.LoadLayoutSettings(store));
    EXPECT_EQ(settings.columns[0].commandId, 32778u);
    EXPECT_EQ(settings.columns[0].width, 200);
    EXPECT_EQ(settings.columns[0].reserved[0], 9);
    const ColumnTable defaults = DefaultColumnTable();
    for (std::size_t i = 1; i < kColumnSettingCount; ++i)
        EXPECT_EQ(settings.columns[i].commandId, defaults[i].commandId) << i;
}

TEST_F(LayoutSettingsTest, PartialEntryReplacesOnlyItsLeadingBytes)
{
    Store("Columns", RegistryType::Binary, Le32(32771) + std::string("\x2C", 1)); // 5 bytes
    LayoutSettings settings;
    EXPECT_TRUE(settings.LoadLayoutSettings(store));
    EXPECT_EQ(settings.columns[0].width, 0x2C); // low byte 0x2C over 120 (0x78)
    EXPECT_EQ(settings.columns[0].visible, 1);
}

TEST_F(LayoutSettingsTest, ColumnsValueTooLongOrEmptyKeepsTheTable)
{
    Store("Columns", RegistryType::Binary, std::string(121, '\x05'));
    Store("Style", RegistryType::Dword, Le32(2));
    LayoutSettings settings;
    EXPECT_FALSE(settings.LoadLayoutSettings(store));
    EXPECT_EQ(EncodeColumnTable(settings.columns), EncodeColumnTable(DefaultColumnTable()));
    EXPECT_EQ(settings.style, 2u); // the other values were read before

    Store("Columns", RegistryType::Binary, "");
    EXPECT_FALSE(settings.LoadLayoutSettings(store));
    EXPECT_EQ(EncodeColumnTable(settings.columns), EncodeColumnTable(DefaultColumnTable()));
}

TEST_F(LayoutSettingsTest, UnwritableStoreLoadsDefaultsAndSaveStillSucceeds)
{
    tree.WriteFile("blocked", "not a folder");
    RegistryStore blocked(tree.Path("blocked/sub"));
    LayoutSettings settings;
    EXPECT_FALSE(settings.LoadLayoutSettings(blocked));
    EXPECT_EQ(settings.widthLeftPanel, 180);
    EXPECT_TRUE(settings.SaveLayoutSettings(blocked)); // the key opens; only the file cannot be written
}

TEST(LayoutSettingsColumns, FindColumnSettingFindsTheFirstEntryOfAnId)
{
    LayoutSettings settings;
    ASSERT_NE(settings.FindColumnSetting(32773), nullptr);
    EXPECT_EQ(settings.FindColumnSetting(32773), &settings.columns[2]);
    EXPECT_EQ(settings.FindColumnSetting(32780), &settings.columns[8]);
    EXPECT_EQ(settings.FindColumnSetting(32779), nullptr);
    EXPECT_EQ(settings.FindColumnSetting(0), nullptr);
    settings.columns[5].commandId = 32773;
    EXPECT_EQ(settings.FindColumnSetting(32773), &settings.columns[2]);
    settings.FindColumnSetting(32776 - 1)->visible = 0; // a writer flips a column
    EXPECT_EQ(settings.columns[4].visible, 0);
}

} // namespace
} // namespace sifter
