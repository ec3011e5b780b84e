// SPDX-License-Identifier: GPL-3.0-or-later
// The row icon cache: 100 slots keyed by row, eviction of the row farthest from the one
// asked for, resets, and icons of the type judged by name in the two sizes the views use.
#include "results/row_icon_cache.h"

#include "fs/file_attributes.h"
#include "results/results_model.h"
#include "search/found_file.h"
#include "stores/layout_settings.h"

#include <gtest/gtest.h>

#include <QImage>

#include <vector>

namespace sifter {
namespace {

FoundFile Record(const std::string &name, std::uint32_t attributes = kAttributeNormal)
{
    FoundFile record;
    record.SetName(name);
    record.SetFolder("/nowhere/at/all");
    record.attributes = attributes;
    return record;
}

QImage SmallImage(const RowIconCache &cache, int slot)
{
    return cache.SlotIcon(slot).pixmap(QSize(RowIconCache::kSmallSize, RowIconCache::kSmallSize)).toImage();
}

TEST(RowIconCacheTest, RowsScrolledTopToBottomReuseTheSlotOfTheFarthestRow)
{
    RowIconCache cache;
    const FoundFile record = Record("a.txt");
    for (int row = 0; row < RowIconCache::kSlotCount; ++row)
        EXPECT_EQ(cache.GetRowIcon(row, record), row);
    EXPECT_EQ(cache.GetRowIcon(37, record), 37); // held: no slot taken
    EXPECT_EQ(cache.GetRowIcon(100, record), 0);
    EXPECT_EQ(cache.FindSlot(0), -1);
    EXPECT_EQ(cache.FindSlot(100), 0);
    // Scrolling back up evicts what is now farthest: row 100 in slot 0.
    EXPECT_EQ(cache.GetRowIcon(0, record), 0);
    EXPECT_EQ(cache.FindSlot(100), -1);
}

TEST(RowIconCacheTest, EqualDistancesTakeTheLowestSlot)
{
    for (const std::vector<int> &first : {std::vector<int>{50, 0, 100}, std::vector<int>{50, 100, 0}}) {
        RowIconCache cache;
        const FoundFile record = Record("a.txt");
        std::vector<int> rows = first;
        for (int row = 1; row < 99; ++row) {
            if (row != 50 && rows.size() < RowIconCache::kSlotCount)
                rows.push_back(row);
        }
        ASSERT_EQ(rows.size(), std::size_t{RowIconCache::kSlotCount});
        for (int row : rows)
            cache.GetRowIcon(row, record);
        const int evicted = first[1]; // in slot 1, as far from 50 as the row in slot 2
        EXPECT_EQ(cache.TakeSlot(50), 1);
        EXPECT_EQ(cache.FindSlot(evicted), -1);
        EXPECT_EQ(cache.TakeSlot(50), 1) << "a taken slot is free until a row is put in it";
    }
}

TEST(RowIconCacheTest, ResetFreesEverySlotAndRestoresThePlaceholder)
{
    RowIconCache cache;
    const QImage placeholder = SmallImage(cache, 5);
    const FoundFile folder = Record("photos", kAttributeFolder);
    for (int row = 0; row < 150; ++row)
        cache.GetRowIcon(row, folder);
    EXPECT_NE(SmallImage(cache, 5), placeholder);
    cache.Reset();
    for (int row = 0; row < 150; ++row)
        EXPECT_EQ(cache.FindSlot(row), -1) << row;
    EXPECT_EQ(SmallImage(cache, 5), placeholder);
    EXPECT_EQ(cache.GetRowIcon(149, folder), 0);
}

TEST(RowIconCacheTest, IconsComeFromTheTypeByNameInBothSizes)
{
    RowIconCache cache;
    const int text = cache.GetRowIcon(0, Record("missing.txt")); // no such file: the name decides
    const int folder = cache.GetRowIcon(1, Record("missing.txt", kAttributeFolder));
    EXPECT_NE(SmallImage(cache, text), SmallImage(cache, folder));
    for (int slot : {text, folder}) {
        const QList<QSize> sizes = cache.SlotIcon(slot).availableSizes();
        EXPECT_EQ(sizes.size(), 2) << "exactly the two sizes of the views";
        const QPixmap large = cache.SlotIcon(slot).pixmap(QSize(RowIconCache::kLargeSize, RowIconCache::kLargeSize));
        EXPECT_EQ(large.deviceIndependentSize().toSize(), QSize(RowIconCache::kLargeSize, RowIconCache::kLargeSize));
    }
}

TEST(RowIconCacheTest, RowsOfOneTypeShareOneIconKeptAcrossResetsUntilTheThemeChanges)
{
    RowIconCache cache;
    const qint64 first = cache.SlotIcon(cache.GetRowIcon(0, Record("a.txt"))).cacheKey();
    EXPECT_EQ(cache.SlotIcon(cache.GetRowIcon(1, Record("b.TXT"))).cacheKey(), first);
    EXPECT_NE(cache.SlotIcon(cache.GetRowIcon(2, Record("c.png"))).cacheKey(), first);
    EXPECT_NE(cache.SlotIcon(cache.GetRowIcon(3, Record("d.txt", kAttributeFolder))).cacheKey(), first);
    cache.Reset();
    EXPECT_EQ(cache.SlotIcon(cache.GetRowIcon(0, Record("a.txt"))).cacheKey(), first);

    const QString theme = QIcon::themeName();
    QIcon::setThemeName(theme + QStringLiteral("-other"));
    cache.Reset();
    EXPECT_NE(cache.SlotIcon(cache.GetRowIcon(0, Record("a.txt"))).cacheKey(), first);
    QIcon::setThemeName(theme);
}

TEST(RowIconCacheTest, ModelGivesNameCellsTheirRowIconAndEveryCellTheTip)
{
    const LayoutSettings settings;
    ResultsModel model(settings);
    std::vector<FoundFile> records;
    records.reserve(3);
    records.push_back(Record("a.txt"));
    records.push_back(Record("b", kAttributeFolder));
    records[0].next = &records[1];
    model.SetRows(&records[0]);
    const QVariant icon = model.data(model.index(1, 0), Qt::DecorationRole);
    ASSERT_TRUE(icon.canConvert<QIcon>());
    EXPECT_FALSE(icon.value<QIcon>().isNull());
    EXPECT_FALSE(model.data(model.index(1, 1), Qt::DecorationRole).isValid());
    EXPECT_EQ(model.data(model.index(1, 2), Qt::ToolTipRole).toString(), QStringLiteral("In Folder: /nowhere/at/all"));
}

} // namespace
} // namespace sifter
