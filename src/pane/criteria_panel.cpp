// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/criteria_panel.h"

#include "framework/fitted_text.h"
#include "framework/mirrored_layout.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace sifter {

CCriteriaPanel::CCriteriaPanel(ResourceId dialogId, std::initializer_list<int> stretched, QWidget *pane)
    : QFrame(pane), stretched_(stretched)
{
    hide();
    const DialogResource *resource = FindDialogResource(dialogId);
    if (resource->style & kDialogStyleBorder) {
        setFrameShape(QFrame::Box);
        setFrameShadow(QFrame::Plain);
        setLineWidth(1);
    }
    const DialogUnits units(font());
    const QMargins border = contentsMargins();
    controls_ = BuildDialogControls(*resource, *this, units, QPoint(border.left(), border.top()));
    for (const BuiltControl &control : controls_.All()) {
        if (qobject_cast<QCheckBox *>(control.widget) || qobject_cast<QRadioButton *>(control.widget)) {
            auto *option = static_cast<QAbstractButton *>(control.widget);
            options_.emplace_back(option, option->text());
        } else if (auto *label = qobject_cast<QLabel *>(control.widget)) {
            labels_.emplace_back(label, label->text());
        }
    }
    resize(units.ToPixels(resource->width, resource->height).grownBy(border));
    laidOutWidth_ = width();
}

int CCriteriaPanel::WidthForWholeTexts() const
{
    int width = 0;
    for (const auto &[option, whole] : options_)
        width = std::max(width, LogicalGeometry(*option).x() + WidthForWhole(*option, whole));
    return width + contentsMargins().right();
}

void CCriteriaPanel::OnOK()
{
    if (QWidget *pane = parentWidget())
        pane->setFocus();
}

void CCriteriaPanel::OnCancel()
{
    OnOK();
}

void CCriteriaPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    StretchControls();
}

void CCriteriaPanel::keyPressEvent(QKeyEvent *event)
{
    // The controls leave these keys to their window, as a dialog's controls do.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        break;
    case Qt::Key_Escape:
        OnCancel();
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CCriteriaPanel::StretchControls()
{
    // Placed in left-to-right coordinates, mirrored when the panel runs right to left.
    KeepLogicalPlaces(*this, laidOutWidth_);
    const int right = contentsRect().right();
    for (const int id : stretched_) {
        QWidget *control = controls_.Find(id);
        if (!control)
            continue;
        QRect place = LogicalGeometry(*control);
        place.setRight(std::max(right, place.left() - 1));
        SetLogicalGeometry(*control, place);
    }
    for (const auto &[option, whole] : options_)
        ShowFitted(*option, whole);
    // A label cut at the panel's edge could read as another text: the cut is marked.
    for (const auto &[label, whole] : labels_) {
        QRect place = LogicalGeometry(*label);
        const int room = std::max(right + 1 - place.x(), 1);
        ShowFitted(*label, whole, room);
        place.setWidth(std::min(label->fontMetrics().horizontalAdvance(whole), room));
        SetLogicalGeometry(*label, place);
    }
}

} // namespace sifter
