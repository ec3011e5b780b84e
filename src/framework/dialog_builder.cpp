// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/dialog_builder.h"

#include "framework/command_icons.h"
#include "framework/fitted_text.h"
#include "framework/link_button.h"
#include "framework/mirrored_layout.h"
#include "framework/resource_text.h"
#include "text/locale_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimeEdit>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace sifter {
namespace {

// The earliest year a SYSTEMTIME of the criteria can name (FILETIME's epoch); the picker's
// own default would refuse dates before 1752.
constexpr int kEarliestPickerYear = 1601;

// Digits only, and no more than a 32-bit unsigned number holds; an empty box may stand
// while typing.
class UnsignedValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Intermediate;
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        }
        bool ok = false;
        const qulonglong value = input.toULongLong(&ok);
        return ok && value <= std::numeric_limits<std::uint32_t>::max() ? Acceptable : Invalid;
    }
};

QWidget *MakeStatic(const DialogControlResource &control, const QString &text, QRect &place, QWidget &parent)
{
    auto *label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    // A label aligns by its text's own direction, not the window's: mirrored by hand, so that
    // its text starts where its rectangle does.
    const Qt::Alignment start = parent.isRightToLeft() ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft;
    label->setAlignment(start | Qt::AlignVCenter);
    if (control.style & kStyleWordWrap) {
        label->setWordWrap(true);
        label->setAlignment(start | Qt::AlignTop);
        return label;
    }
    // The template's widths fit the original font; a label is widened rather than cut,
    // since a cut label reads as a different one.
    place.setWidth(std::max(place.width(), label->sizeHint().width()));
    return label;
}

QWidget *MakeGroupBox(const QString &text, QRect &place, QWidget &parent)
{
    auto *box = new QGroupBox(text, &parent);
    // The template draws the frame's line half a text line below the box's top, the title on
    // it; a style that puts the title above the line gets the box raised by the difference, so
    // that the line does not run through the controls inside.
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.rect = QRect(QPoint(), place.size());
    option.text = text;
    option.lineWidth = 1;
    option.textAlignment = Qt::AlignLeft;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const int lineTop =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box).top();
    const int raise = std::clamp(lineTop - box->fontMetrics().height() / 2, 0, std::max(place.top(), 0));
    place.setTop(place.top() - raise);
    return box;
}

QWidget *MakeEdit(const DialogControlResource &control, QWidget &parent)
{
    const bool readOnly = (control.style & kStyleReadOnly) != 0;
    if (control.style & kStyleMultiLine) {
        auto *box = new QPlainTextEdit(&parent);
        box->setReadOnly(readOnly);
        if (control.style & kStyleVScroll)
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return box;
    }
    auto *box = new QLineEdit(&parent);
    box->setReadOnly(readOnly);
    return box;
}

QComboBox *MakeComboBox(const DialogControlResource &control, QRect &place, QWidget &parent)
{
    auto *box = new QComboBox(&parent);
    if (control.kind == ControlKind::kComboBox) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    for (const char *entry : control.entries)
        box->addItem(DialogText(entry));
    place.setHeight(box->sizeHint().height());
    return box;
}

QWidget *MakeDatePicker(QWidget &parent)
{
    auto *picker = new QDateEdit(&parent);
    picker->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    picker->setCalendarPopup(true);
    picker->setMinimumDate(QDate(kEarliestPickerYear, 1, 1));
    return picker;
}

QWidget *MakeTimePicker(QWidget &parent)
{
    auto *picker = new QTimeEdit(&parent);
    picker->setDisplayFormat(QString::fromStdString(HoursMinutesFormat()));
    return picker;
}

QWidget *MakeButton(const DialogControlResource &control, const QString &text, QWidget &parent)
{
    switch (control.kind) {
    case ControlKind::kLinkButton: {
        auto *link = new CLinkButton(&parent);
        link->setText(text);
        return link;
    }
    case ControlKind::kRadioButton:
        return new QRadioButton(text, &parent);
    case ControlKind::kCheckBox:
        return new QCheckBox(text, &parent);
    default: {
        auto *button = new QPushButton(text, &parent);
        button->setDefault(control.kind == ControlKind::kDefPushButton);
        return button;
    }
    }
}

QWidget *MakeControl(const DialogControlResource &control, QRect &place, QWidget &parent)
{
    const QString text = DialogText(control.text);
    switch (control.kind) {
    case ControlKind::kIcon: {
        auto *icon = new QLabel(&parent);
        icon->setPixmap(ProgramIcon().pixmap(place.size()));
        return icon;
    }
    case ControlKind::kStatic:
        return MakeStatic(control, text, place, parent);
    case ControlKind::kEdit:
        return MakeEdit(control, parent);
    case ControlKind::kNumberEdit: {
        auto *box = new QLineEdit(&parent);
        box->setValidator(new UnsignedValidator(box));
        return box;
    }
    case ControlKind::kComboBox:
    case ControlKind::kDropDownList:
        return MakeComboBox(control, place, parent);
    case ControlKind::kDatePicker:
        return MakeDatePicker(parent);
    case ControlKind::kTimePicker:
        return MakeTimePicker(parent);
    case ControlKind::kGroupBox:
        return MakeGroupBox(text, place, parent);
    case ControlKind::kEtchedLine: {
        auto *line = new QFrame(&parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case ControlKind::kPushButton:
    case ControlKind::kDefPushButton:
    case ControlKind::kLinkButton:
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
        return MakeButton(control, text, parent);
    }
    return nullptr;
}

bool IsInput(ControlKind kind)
{
    switch (kind) {
    case ControlKind::kEdit:
    case ControlKind::kNumberEdit:
    case ControlKind::kComboBox:
    case ControlKind::kDropDownList:
    case ControlKind::kDatePicker:
    case ControlKind::kTimePicker:
        return true;
    default:
        return false;
    }
}

// A screen reader names an input after the label placed right before it in the template (the
// order the keyboard visits them), else after the template's spoken name; a button it
// describes with the template's spoken text.
void NameForScreenReaders(const DialogControlResource &control, QWidget &widget, QWidget *previous)
{
    const QString spoken = control.spoken ? DialogText(control.spoken) : QString();
    if (!IsInput(control.kind)) {
        if (!spoken.isEmpty())
            widget.setAccessibleDescription(spoken);
        return;
    }
    auto *label = qobject_cast<QLabel *>(previous);
    if (spoken.isEmpty() && label && !label->text().isEmpty()) {
        label->setBuddy(&widget);
        widget.setAccessibleName(WithoutMnemonics(label->text()));
    } else {
        widget.setAccessibleName(spoken);
    }
}

} // namespace

QWidget *DialogControls::Find(int id) const
{
    if (id == kNoControlId)
        return nullptr;
    for (const BuiltControl &control : controls_) {
        if (control.resource->id == id)
            return control.widget;
    }
    return nullptr;
}

QButtonGroup *DialogControls::RadioGroup(int firstId) const
{
    for (const auto &[id, group] : radioGroups_) {
        if (id == firstId)
            return group;
    }
    return nullptr;
}

DialogControls BuildDialogControls(const DialogResource &resource, QWidget &parent, const DialogUnits &units,
                                   QPoint origin)
{
    DialogControls built;
    QButtonGroup *group = nullptr;
    // Qt mirrors its layouts, never a fixed geometry: right to left the template is mirrored
    // here, after a control's own size (a widened label grows towards its start).
    const bool mirrored = parent.isRightToLeft();
    const int clientWidth = units.ToPixelsX(resource.width);
    for (const DialogControlResource &control : resource.controls) {
        QRect place = units.ToPixels(control.x, control.y, control.width, control.height).translated(origin);
        QWidget *widget = MakeControl(control, place, parent);
        if (!widget)
            continue;
        if (mirrored)
            place = VisualRect(place.translated(-origin.x(), 0), clientWidth, true).translated(origin.x(), 0);
        widget->setGeometry(place);
        NameForScreenReaders(control, *widget, built.controls_.empty() ? nullptr : built.controls_.back().widget);
        if (control.style & kStyleDisabled)
            widget->setEnabled(false);
        if (control.style & kStyleHidden)
            widget->hide();

        if (control.style & kStyleGroup)
            group = nullptr;
        if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
            if (!group) {
                group = new QButtonGroup(&parent);
                built.radioGroups_.emplace_back(control.id, group);
            }
            group->addButton(radio, static_cast<int>(group->buttons().size()));
        } else {
            group = nullptr;
        }
        built.controls_.push_back({&control, widget});
    }
    return built;
}

} // namespace sifter
