#pragma once
// The title banner of status pane 1: the title centred in the pane, drawn in four pieces
// that alternate blue and red (for "Norvane Search": "Norv", "a", "ne ", "Search").
#include <QColor>
#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace sifter {

inline constexpr QColor kBannerBlue{0, 102, 204};
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
std::array<BannerPiece, 4> LayoutBanner(const QString &title, const QFontMetrics &metrics, const QRect &item);

// Draws the pieces with a transparent background in the painter's font; what lies
// outside item is the caller's clipping.
void DrawBanner(QPainter &painter, const QRect &item, const QString &title);

} // namespace sifter
