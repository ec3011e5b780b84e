// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title banner of status pane 1: the title centred in the pane, drawn in four pieces
// that alternate blue and red (for "Norvane Search": "Norv", "a", "ne ", "Search"): the
// blue is the palette's link colour, the red keeps its hue; both are made readable on the
// palette's window colour.
#include <QColor>
#include <QFontMetrics>
#include <QPalette>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace sifter {

inline constexpr QColor kBannerRed{255, 0, 0};

struct BannerPiece {
    QString text;
    QColor color;
    QRect rect;  // where the piece is drawn (its text vertically centred in it)
};

// The four pieces: the first four letters of the title's first word, its fifth letter,
// the rest of the word with the blank after it, and the rest of the title. The first
// starts at item.left + (item.width - title width) / 2 (truncated toward zero); each next
// one where the previous ended; all share item's top and one line's height.
// The colours come from palette.
std::array<BannerPiece, 4> LayoutBanner(const QString &title, const QFontMetrics &metrics, const QRect &item,
                                        const QPalette &palette);

// Draws the pieces with a transparent background in the painter's font; what lies
// outside item is the caller's clipping.
void DrawBanner(QPainter &painter, const QRect &item, const QString &title, const QPalette &palette);

} // namespace sifter
