// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/column_layout.h"

#include "framework/dialog_units.h"
#include "res/resource_ids.h"
#include "text/locale_text.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <string>

namespace sifter {
namespace {

// The horizontal dialog base unit of the 8-point font the default widths were made for.
constexpr int kDefaultsDialogBaseX = 6;

// The dates measured for the width of the date columns: two-digit days, minutes and hours
// in the morning and the evening, in a four-digit year.
constexpr std::uint16_t kSampleYear = 2026;
constexpr std::uint16_t kSampleDay = 28;
constexpr std::uint16_t kSampleMinute = 58;
constexpr std::uint16_t kSampleHours[] = {10, 22};
constexpr std::uint16_t kMonths = 12;

// The entries RebuildColumns looks at: at most all of them, up to the first id 0.
std::size_t UsedEntries(const ColumnTable &table)
{
    std::size_t count = 0;
    while (count < table.size() && table[count].commandId != 0)
        ++count;
    return count;
}

bool IsDateColumn(std::uint32_t columnId)
{
    return columnId == cmd::kArrangeByModified || columnId == cmd::kArrangeByCreated ||
           columnId == cmd::kArrangeByVisited;
}

// The widest date and time text of the locale, as the date columns write it: a late day and
// hour of every month (names and AM/PM markers differ in width).
int WidestDateTimeWidth(const QFontMetrics &metrics)
{
    int widest = 0;
    SystemTime fields{};
    fields.year = kSampleYear;
    fields.day = kSampleDay;
    fields.minute = kSampleMinute;
    for (std::uint16_t month = 1; month <= kMonths; ++month) {
        fields.month = month;
        for (const std::uint16_t hour : kSampleHours) {
            fields.hour = hour;
            const std::string text = FormatShortDate(fields) + ' ' + FormatHoursMinutes(fields);
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
        }
    }
    return widest;
}

} // namespace

bool IsDefaultColumnWidth(std::uint32_t columnId, std::int32_t width)
{
    const LayoutSettings defaults;
    const ColumnSetting *column = defaults.FindColumnSetting(columnId);
    return column && column->width == width;
}

int ShownColumnWidth(const ColumnSetting &column, const QString &caption, const QHeaderView &header)
{
    if (!IsDefaultColumnWidth(column.commandId, column.width))
        return column.width;
    const DialogUnits units(header.font());
    const int scaled = MulDiv(column.width, units.BaseX(), kDefaultsDialogBaseX);
    // Room for the caption, the margins on both sides and a sort mark.
    const QStyle *style = header.style();
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const int mark = style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, &header);
    const int captionWidth = header.fontMetrics().horizontalAdvance(caption) + 3 * margin + mark;
    int width = std::max(scaled, captionWidth);
    if (IsDateColumn(column.commandId)) {
        // A cell keeps this margin on each side of its text.
        const int cellMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &header) + 1;
        width = std::max(width, WidestDateTimeWidth(header.fontMetrics()) + 2 * cellMargin + 1);
    }
    return width;
}

bool StoreColumnOrder(ColumnTable &table, const std::vector<std::uint32_t> &shownIds)
{
    const std::size_t used = UsedEntries(table);
    if (used == 0 || shownIds.empty() || shownIds.front() != table[0].commandId)
        return false;
    std::vector<std::size_t> places;
    for (std::size_t i = 1; i < used; ++i) {
        if (table[i].visible != 0)
            places.push_back(i);
    }
    if (places.size() + 1 != shownIds.size())
        return false;
    // shownIds after the first must be the shown entries' ids, each once.
    std::vector<std::uint32_t> have;
    for (std::size_t i : places)
        have.push_back(table[i].commandId);
    std::vector<std::uint32_t> want(shownIds.begin() + 1, shownIds.end());
    std::sort(have.begin(), have.end());
    std::sort(want.begin(), want.end());
    if (have != want || std::adjacent_find(want.begin(), want.end()) != want.end())
        return false;
    std::vector<ColumnSetting> moved;
    for (std::size_t k = 1; k < shownIds.size(); ++k) {
        for (std::size_t i : places) {
            if (table[i].commandId == shownIds[k])
                moved.push_back(table[i]);
        }
    }
    for (std::size_t k = 0; k < places.size(); ++k)
        table[places[k]] = moved[k];
    return true;
}

} // namespace sifter
