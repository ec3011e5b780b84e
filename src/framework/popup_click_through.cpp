// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/popup_click_through.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace sifter {
namespace {

// The first widget from widget up to its window that takes the focus on a click gets it.
void GiveClickFocus(QWidget &widget)
{
    for (QWidget *w = &widget; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow())
            return;
    }
}

class PopupClickThrough final : public QObject {
public:
    explicit PopupClickThrough(QWidget &popup) : QObject(&popup), popup_(popup) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint global = press->globalPosition().toPoint();
        if (popup_.rect().contains(popup_.mapFromGlobal(global)))
            return false;
        popup_.hide();
        QWidget *target = QApplication::widgetAt(global);
        const QWidget *modal = QApplication::activeModalWidget();
        if (!target || (modal && target->window() != modal))
            return true;
        QWindow *window = target->window()->windowHandle();
        if (!window)
            return true;
        const QPointF local = window->mapFromGlobal(press->globalPosition());
        // Qt gives the focus only for a press of the window system's; the replay is not one.
        GiveClickFocus(*target);
        // At once, so that the release that follows finds the press done.
        QMouseEvent replay(QEvent::MouseButtonPress, local, local, press->globalPosition(), press->button(),
                           press->buttons(), press->modifiers(), press->pointingDevice());
        QCoreApplication::sendEvent(window, &replay);
        return true;
    }

private:
    QWidget &popup_;
};

} // namespace

void PassClicksThroughPopup(QWidget &popup)
{
    // Qt replays such a press itself on some platforms; one replay is enough.
    popup.setAttribute(Qt::WA_NoMouseReplay);
    popup.installEventFilter(new PopupClickThrough(popup));
}

} // namespace sifter
