// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/mirrored_layout.h"

#include <QStyle>
#include <QWidget>

namespace sifter {

QRect VisualRect(const QRect &logical, int width, bool rightToLeft)
{
    // Only the bounds' left and right edges matter to the mirroring.
    return QStyle::visualRect(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, QRect(0, 0, width, 1), logical);
}

QRect LogicalGeometry(const QWidget &widget)
{
    const QWidget *parent = widget.parentWidget();
    if (!parent)
        return widget.geometry();
    return VisualRect(widget.geometry(), parent->width(), parent->isRightToLeft());
}

void SetLogicalGeometry(QWidget &widget, const QRect &logical)
{
    const QWidget *parent = widget.parentWidget();
    widget.setGeometry(parent ? VisualRect(logical, parent->width(), parent->isRightToLeft()) : logical);
}

void KeepLogicalPlaces(QWidget &parent, int &laidOutWidth)
{
    const int shift = parent.width() - laidOutWidth;
    laidOutWidth = parent.width();
    if (shift == 0 || !parent.isRightToLeft())
        return;
    for (QObject *child : parent.children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow())
            widget->move(widget->x() + shift, widget->y());
    }
}

} // namespace sifter
