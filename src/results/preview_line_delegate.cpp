// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/preview_line_delegate.h"

#include "results/preview_content.h"

#include <QApplication>
#include <QPainter>

namespace sifter {
namespace {

constexpr int kPadding = 4;
// Of the room for the text, the share left of the first mark when the text is shifted.
constexpr int kLeadShare = 4;

} // namespace

PreviewLineDelegate::PreviewLineDelegate(const std::vector<PreviewLine> &lines, QObject *parent)
    : QStyledItemDelegate(parent), lines_(lines)
{
}

QSize PreviewLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), option.fontMetrics.height() + 2);
}

void PreviewLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= lines_.size())
        return;
    const PreviewLine &line = lines_[row];
    const QPalette &palette = option.palette;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->setFont(option.font);
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    const QFontMetrics &metrics = option.fontMetrics;
    const QColor textColor = selected ? palette.highlightedText().color() : palette.text().color();
    const QColor dimColor = palette.placeholderText().color();

    const int headWidth = line.kind == PreviewLineKind::Hex ? 0 : metrics.horizontalAdvance(QLatin1Char('0')) * headCharacters_;
    QRect rect = option.rect.adjusted(kPadding, 0, -kPadding, 0);
    if (headWidth > 0) {
        painter->setPen(selected ? textColor : dimColor);
        painter->drawText(QRect(rect.left(), rect.top(), headWidth, rect.height()), Qt::AlignRight | Qt::AlignVCenter, line.head);
        rect.setLeft(rect.left() + headWidth + 2 * kPadding);
    }
    painter->setClipRect(rect);

    int x = rect.left();
    const int room = rect.width();
    if (!line.marks.isEmpty() && metrics.horizontalAdvance(line.text) > room) {
        const int markX = metrics.horizontalAdvance(line.text.left(line.marks.front().first));
        if (markX > room / kLeadShare)
            x -= markX - room / kLeadShare;
    }
    const bool shifted = x < rect.left();
    const QString ellipsis = QStringLiteral("…");
    if (line.cutBefore && !shifted)
        x += metrics.horizontalAdvance(ellipsis);
    const int baseline = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    const auto draw = [&](int from, int to, const QColor &color, bool marked) {
        if (to <= from)
            return;
        const QString part = line.text.mid(from, to - from);
        const int width = metrics.horizontalAdvance(part);
        if (x + width >= rect.left() && x <= rect.right()) {
            if (marked)
                painter->fillRect(QRect(x, rect.top() + 1, width, rect.height() - 2), selected ? palette.base() : palette.highlight());
            painter->setPen(color);
            painter->drawText(x, baseline, part);
        }
        x += width;
    };
    const QColor plain = line.kind == PreviewLineKind::Match || line.kind == PreviewLineKind::Hex ? textColor
                         : selected ? textColor : (line.kind == PreviewLineKind::Context ? textColor : dimColor);
    const int textEnd = line.noteStart >= 0 ? line.noteStart : static_cast<int>(line.text.size());
    int at = 0;
    for (const auto &[start, length] : line.marks) {
        draw(at, start, plain, false);
        draw(start, start + length, selected ? palette.text().color() : palette.highlightedText().color(), true);
        at = start + length;
    }
    draw(at, textEnd, plain, false);
    draw(textEnd, static_cast<int>(line.text.size()), selected ? textColor : dimColor, false);
    if (shifted || line.cutBefore) {
        const int width = metrics.horizontalAdvance(ellipsis);
        painter->fillRect(QRect(rect.left(), rect.top(), width, rect.height()), selected ? palette.highlight() : palette.base());
        painter->setPen(dimColor);
        painter->drawText(rect.left(), baseline, ellipsis);
    }
    painter->restore();
}

} // namespace sifter
