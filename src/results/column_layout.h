// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the column table of the layout settings meets the Details header: the width a
// column is shown at, and the header's order written back into the table.
#include "stores/layout_settings.h"

#include <QString>

#include <vector>

class QHeaderView;

namespace sifter {

// The width to show a column at. A width equal to the column's default width was never
// set by the user: the defaults were chosen for an 8-point Windows font, so it is scaled
// by the header's font and widened to show the caption whole. Any other width is the
// user's and is used as stored.
int ShownColumnWidth(const ColumnSetting &column, const QString &caption, const QHeaderView &header);

// True when the width is the default width of the column with that id.
bool IsDefaultColumnWidth(std::uint32_t columnId, std::int32_t width);

// Writes the order of the shown columns into the table: the shown entries after the first
// take the order of shownIds (the first entry, Name, stays first), in the places shown
// entries held; hidden entries keep their places. False (table unchanged) when shownIds
// does not name exactly the table's shown entries with the first entry first.
bool StoreColumnOrder(ColumnTable &table, const std::vector<std::uint32_t> &shownIds);

} // namespace sifter
