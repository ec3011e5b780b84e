// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/static_splitter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace sifter {

StaticSplitter::StaticSplitter(QWidget *parent) : QSplitter(Qt::Horizontal, parent)
{
    setChildrenCollapsible(false);
    setFocusPolicy(Qt::NoFocus);
}

void StaticSplitter::SetFirstColumnWidth(int width)
{
    pendingWidth_ = width;
    if (this->width() > 0 && count() >= 2)
        ApplyFirstColumnWidth();
}

int StaticSplitter::FirstColumnWidth() const
{
    const QList<int> widths = sizes();
    return widths.isEmpty() ? 0 : widths.front();
}

void StaticSplitter::ApplyFirstColumnWidth()
{
    if (pendingWidth_ < 0 || count() < 2)
        return;
    const int available = width() - handleWidth();
    const int left = std::max(0, pendingWidth_);
    setSizes({left, std::max(0, available - left)});
    pendingWidth_ = -1;
}

void StaticSplitter::resizeEvent(QResizeEvent *event)
{
    QSplitter::resizeEvent(event);
    if (width() > 0)
        ApplyFirstColumnWidth();
}

void StaticSplitter::StartKeyboardTracking()
{
    if (count() < 2 || tracking_)
        return;
    tracking_ = true;
    sizesBeforeTracking_ = sizes();
    focusBeforeTracking_ = focusWidget();
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
    if (QSplitterHandle *bar = handle(1))
        bar->setCursor(Qt::SplitHCursor);
}

void StaticSplitter::EndKeyboardTracking(bool keep)
{
    if (!tracking_)
        return;
    tracking_ = false;
    releaseKeyboard();
    setFocusPolicy(Qt::NoFocus);
    if (!keep)
        setSizes(sizesBeforeTracking_);
    if (focusBeforeTracking_)
        focusBeforeTracking_->setFocus(Qt::OtherFocusReason);
    focusBeforeTracking_ = nullptr;
}

void StaticSplitter::keyPressEvent(QKeyEvent *event)
{
    if (!tracking_) {
        QSplitter::keyPressEvent(event);
        return;
    }
    const int step = (event->modifiers() & Qt::ControlModifier) ? kKeyboardFineStep : kKeyboardStep;
    // Right to left the first column is the right one: the bar still goes where the arrow points.
    const int rightward = isRightToLeft() ? -step : step;
    switch (event->key()) {
    case Qt::Key_Left:
        moveSplitter(FirstColumnWidth() - rightward, 1);
        break;
    case Qt::Key_Right:
        moveSplitter(FirstColumnWidth() + rightward, 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndKeyboardTracking(true);
        break;
    case Qt::Key_Escape:
        EndKeyboardTracking(false);
        break;
    default:
        break;
    }
    event->accept();
}

void StaticSplitter::mousePressEvent(QMouseEvent *event)
{
    if (tracking_) {
        EndKeyboardTracking(true);
        event->accept();
        return;
    }
    QSplitter::mousePressEvent(event);
}

void StaticSplitter::focusOutEvent(QFocusEvent *event)
{
    // Another window took the keyboard: keep what was reached so far.
    EndKeyboardTracking(true);
    QSplitter::focusOutEvent(event);
}

void StaticSplitter::SetFocusPanes(QList<QWidget *> panes)
{
    focusPanes_.clear();
    for (QWidget *pane : panes)
        focusPanes_.append(pane);
}

void StaticSplitter::ActivateNextPane(bool forward)
{
    QList<QWidget *> panes;
    if (focusPanes_.isEmpty()) {
        for (int i = 0; i < count(); ++i)
            panes.append(widget(i));
    } else {
        for (const QPointer<QWidget> &pane : focusPanes_) {
            if (pane && pane->isVisibleTo(this))
                panes.append(pane);
        }
    }
    if (panes.isEmpty())
        return;
    const auto paneCount = static_cast<int>(panes.size());
    int current = -1;
    QWidget *focus = QApplication::focusWidget();
    for (int i = 0; i < paneCount; ++i) {
        if (focus && (focus == panes[i] || panes[i]->isAncestorOf(focus)))
            current = i;
    }
    const int next = current < 0 ? 0 : (current + (forward ? 1 : paneCount - 1)) % paneCount;
    QWidget *pane = panes[next];
    // The pane's first control in tab order that takes the keyboard, else the pane itself.
    // Controls of a pane need not stand together in the window's tab chain.
    for (QWidget *candidate = pane->nextInFocusChain(); candidate && candidate != pane;
         candidate = candidate->nextInFocusChain()) {
        if (pane->isAncestorOf(candidate) && (candidate->focusPolicy() & Qt::TabFocus) &&
            candidate->isVisibleTo(pane) && candidate->isEnabled()) {
            candidate->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    pane->setFocus(Qt::TabFocusReason);
}

} // namespace sifter
