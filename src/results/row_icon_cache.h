// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icons of the results list's rows, held for at most 100 rows at a time: a row's
// icon is fetched when a view first draws it and evicts the row farthest from it.
#include "desktop/type_names.h"

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

#include <array>

namespace sifter {

struct FoundFile;

class RowIconCache {
public:
    static constexpr int kSlotCount = 100;
    static constexpr int kSmallSize = 16; // Small Icons, List and Details
    static constexpr int kLargeSize = 32; // Large Icons

    RowIconCache();

    // Frees every slot; each holds the placeholder until a row takes it. Call it whenever
    // rows change places wholesale (new run, sort, refill): the slots are keyed by row.
    // The icons made per type are kept, unless the icon theme (or its fallback) or the style
    // has changed since they were made.
    void Reset();
    // The first slot holding the row's icon, or -1.
    int FindSlot(int rowIndex) const;
    // The first free slot, else the one whose row is farthest from rowIndex (the lowest
    // such slot on a tie); the slot is returned free.
    int TakeSlot(int rowIndex);
    // The slot holding the icon of row rowIndex (>= 0), fetched into a taken slot when no
    // slot holds it: the theme icon of the record's type, judged by its name alone (the
    // file is not read).
    int GetRowIcon(int rowIndex, const FoundFile &record);
    // The slot's images, 16 and 32 pixels, as one icon; a view picks by its icon size.
    const QIcon &SlotIcon(int slot) const { return icons_[static_cast<std::size_t>(slot)]; }

private:
    // The icon of the record's type in both sizes, made once per type: rendering a theme
    // icon or loading the style's fallback images for every row a view draws cost more
    // than drawing the rows.
    QIcon TypeIcon(const FoundFile &record);

    std::array<int, kSlotCount> keys_{};
    std::array<QIcon, kSlotCount> icons_;
    QIcon placeholder_;
    QMimeDatabase types_;
    TypeNames typeNames_;
    QHash<QString, QIcon> typeIcons_; // by MIME type name
    QString typeIconsLook_;           // the theme, fallback theme and style they were made with
};

} // namespace sifter
