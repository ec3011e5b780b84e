// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/banner.h"

#include "framework/readable_color.h"

#include <QPainter>

namespace sifter {
namespace {

constexpr qsizetype kFirstPieceLetters = 4;

} // namespace

std::array<BannerPiece, 4> LayoutBanner(const QString &title, const QFontMetrics &metrics, const QRect &item,
                                        const QPalette &palette)
{
    const QColor background = palette.color(QPalette::Window);
    const QColor blue = ReadableOn(palette.color(QPalette::Link), background);
    const QColor red = ReadableOn(kBannerRed, background);
    qsizetype wordEnd = title.indexOf(QLatin1Char(' '));
    if (wordEnd < 0)
        wordEnd = title.size();
    const qsizetype firstEnd = std::min(kFirstPieceLetters, wordEnd);
    const qsizetype secondEnd = std::min(firstEnd + 1, wordEnd);
    const qsizetype thirdEnd = std::min(wordEnd + 1, title.size());
    const std::array<QString, 4> texts = {title.left(firstEnd), title.mid(firstEnd, secondEnd - firstEnd),
                                          title.mid(secondEnd, thirdEnd - secondEnd), title.mid(thirdEnd)};

    const int titleWidth = metrics.horizontalAdvance(title);
    // C++ division truncates toward zero, as the centring asks for a pane narrower than the title.
    int left = item.left() + (item.width() - titleWidth) / 2;
    const int lineHeight = metrics.height();
    std::array<BannerPiece, 4> pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int width = metrics.horizontalAdvance(texts[i]);
        pieces[i] = {texts[i], i % 2 == 0 ? blue : red, QRect(left, item.top(), width, lineHeight)};
        left += width;
    }
    return pieces;
}

void DrawBanner(QPainter &painter, const QRect &item, const QString &title, const QPalette &palette)
{
    painter.setBackgroundMode(Qt::TransparentMode);
    // The pieces are laid out left to right by hand: right to left a piece's blank would go to
    // its other end.
    painter.setLayoutDirection(Qt::LeftToRight);
    for (const BannerPiece &piece : LayoutBanner(title, painter.fontMetrics(), item, palette)) {
        painter.setPen(piece.color);
        painter.drawText(piece.rect, Qt::TextSingleLine | Qt::AlignVCenter, piece.text);
    }
}

} // namespace sifter
