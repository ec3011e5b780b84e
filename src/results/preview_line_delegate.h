// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints one line of the preview pane: its head right-aligned in a column of its own, then
// its text in the fixed-width font with the marks in the palette's highlight colours. A
// text wider than the pane is drawn from a little before its first mark, after an "…",
// so that the match is in view.
#include <QStyledItemDelegate>

#include <vector>

namespace sifter {

struct PreviewLine;

class PreviewLineDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // lines: the pane's lines, by row (owned by the pane, which outlives the delegate).
    PreviewLineDelegate(const std::vector<PreviewLine> &lines, QObject *parent);

    // The width of the head column, in characters.
    void SetHeadCharacters(int count) { headCharacters_ = count; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const std::vector<PreviewLine> &lines_;
    int headCharacters_ = 1;
};

} // namespace sifter
