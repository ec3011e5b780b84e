// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool tips of item views, as a hover asks for them.
#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QString>
#include <QToolTip>

namespace sifter::test {

// The tip the view shows over the middle of the row's first cell; empty when it shows none.
inline QString TipOver(QAbstractItemView *view, int row)
{
    const QPoint pos = view->visualRect(view->model()->index(row, 0)).center();
    QHelpEvent event(QEvent::ToolTip, pos, view->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace sifter::test
