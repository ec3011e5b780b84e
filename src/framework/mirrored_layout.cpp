// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/mirrored_layout.h"

#include <QWidget>

namespace sifter {

QRect VisualRect(const QRect &logical, int width, bool rightToLeft)
{
    if (!rightToLeft)
        return logical;
    return QRect(width - logical.x() - logical.width(), logical.y(), logical.width(), logical.height());
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
