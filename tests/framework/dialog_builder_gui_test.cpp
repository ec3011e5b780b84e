// SPDX-License-Identifier: GPL-3.0-or-later
// BuildDialogControls: each kind of control made from a template, where the template puts
// it (mirrored right to left), and found again by id.
#include "framework/dialog_builder.h"
#include "framework/link_button.h"
#include "text/locale_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include <array>

namespace sifter {
namespace {

using C = DialogControlResource;

constexpr const char *kFruits[] = {"Apple", "Pear", "Plum"};

// Ids 1..; 0 and 7 share an id with nothing else, and the two radio groups are split by
// the group style of the fourth radio button.
constexpr std::array kControls = {
    C{ControlKind::kStatic, kNoControlId, "A label far wider than its template rectangle", 5, 5, 20, 8, kStyleNone},
    C{ControlKind::kComboBox, 1, "", 5, 16, 100, 107, kStyleNone},
    C{ControlKind::kDropDownList, 2, "", 5, 34, 100, 64, kStyleDisabled, kFruits},
    C{ControlKind::kRadioButton, 3, "One", 5, 50, 50, 10, kStyleGroup},
    C{ControlKind::kRadioButton, 4, "Two", 5, 62, 50, 10, kStyleNone},
    C{ControlKind::kRadioButton, 5, "Three", 5, 74, 50, 10, kStyleGroup},
    C{ControlKind::kRadioButton, 6, "Four", 5, 86, 50, 10, kStyleNone},
    C{ControlKind::kCheckBox, 7, "Bits && pieces", 5, 98, 100, 10, kStyleHidden},
    C{ControlKind::kNumberEdit, 8, "", 5, 110, 100, 12, kStyleNone},
    C{ControlKind::kDatePicker, 9, "", 5, 124, 56, 15, kStyleNone},
    C{ControlKind::kTimePicker, 10, "", 61, 124, 50, 15, kStyleNone},
    C{ControlKind::kLinkButton, 11, "&Section", 5, 140, 100, 14, kStyleNone},
    C{ControlKind::kDefPushButton, 12, "&Go", 55, 156, 50, 14, kStyleNone},
    C{ControlKind::kGroupBox, 13, "Group", 120, 0, 60, 40, kStyleNone},
    C{ControlKind::kStatic, 14, "A label that breaks into lines at its template width", 125, 5, 40, 30, kStyleWordWrap},
};

constexpr DialogResource kDialog{999, "", 112, 172, "Tahoma", 8, kControls};

class DialogBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(units.ToPixels(112, 172) + QSize(20, 20));
        controls = BuildDialogControls(kDialog, window, units, kOrigin);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    static constexpr QPoint kOrigin{3, 4};
    QWidget window;
    const DialogUnits units{6, 13};
    DialogControls controls;
};

TEST_F(DialogBuilderTest, PlacesEachControlAtItsRectangleInTemplateOrder)
{
    ASSERT_EQ(controls.All().size(), kControls.size());
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const BuiltControl &built = controls.All()[i];
        EXPECT_EQ(built.resource, &kControls[i]);
        EXPECT_EQ(built.widget->parentWidget(), &window);
        const QPoint corner(units.ToPixelsX(kControls[i].x), units.ToPixelsY(kControls[i].y));
        if (kControls[i].kind != ControlKind::kGroupBox) {
            EXPECT_EQ(built.widget->pos(), corner + kOrigin);
        }
    }
    EXPECT_EQ(controls.Find(10)->geometry(), units.ToPixels(61, 124, 50, 15).translated(kOrigin));
    EXPECT_EQ(controls.Find(12)->geometry(), units.ToPixels(55, 156, 50, 14).translated(kOrigin));
    EXPECT_EQ(controls.Find(kNoControlId), nullptr);
    EXPECT_EQ(controls.Find(404), nullptr);
    EXPECT_EQ(controls.Find<QComboBox>(12), nullptr);
}

TEST_F(DialogBuilderTest, LabelsKeepTheirWholeTextAndListsAreOneLineHigh)
{
    auto *label = qobject_cast<QLabel *>(controls.All()[0].widget);
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_GT(label->width(), units.ToPixelsX(20));

    auto *box = controls.Find<QComboBox>(1);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->height(), box->sizeHint().height());
    EXPECT_EQ(box->width(), units.ToPixels(5, 16, 100, 107).width());

    auto *list = controls.Find<QComboBox>(2);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isEditable());
    EXPECT_FALSE(list->isEnabled());
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(2), QStringLiteral("Plum"));
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_LT(list->height(), units.ToPixelsY(64));
}

TEST_F(DialogBuilderTest, AWrappingLabelKeepsItsRectangleAndAGroupBoxShowsItsTitle)
{
    auto *label = controls.Find<QLabel>(14);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->geometry(), units.ToPixels(125, 5, 40, 30).translated(kOrigin));
    EXPECT_GT(label->fontMetrics().horizontalAdvance(label->text()), label->width());

    auto *group = controls.Find<QGroupBox>(13);
    ASSERT_NE(group, nullptr);
    // Raised at most to the window's edge, and ending where the template ends.
    const QRect place = units.ToPixels(120, 0, 60, 40).translated(kOrigin);
    EXPECT_GE(group->y(), 0);
    EXPECT_LE(group->y(), place.y());
    EXPECT_EQ(group->geometry().bottom(), place.bottom());
    EXPECT_EQ(group->x(), place.x());
    EXPECT_EQ(group->title(), QStringLiteral("Group"));
    EXPECT_EQ(group->focusPolicy(), Qt::NoFocus);
}

TEST_F(DialogBuilderTest, RadioButtonsFormOneExclusiveGroupPerGroupStart)
{
    QButtonGroup *first = controls.RadioGroup(3);
    QButtonGroup *second = controls.RadioGroup(5);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(controls.RadioGroup(4), nullptr);
    EXPECT_EQ(first->buttons().size(), 2);
    EXPECT_EQ(second->id(controls.Find<QRadioButton>(6)), 1);

    QTest::mouseClick(controls.Find<QRadioButton>(4), Qt::LeftButton);
    QTest::mouseClick(controls.Find<QRadioButton>(5), Qt::LeftButton);
    EXPECT_EQ(first->checkedId(), 1);
    EXPECT_EQ(second->checkedId(), 0);
    QTest::mouseClick(controls.Find<QRadioButton>(6), Qt::LeftButton);
    EXPECT_EQ(first->checkedId(), 1);
    EXPECT_EQ(second->checkedId(), 1);
}

TEST_F(DialogBuilderTest, ButtonsShowTheirTextsAndStyles)
{
    auto *check = controls.Find<QCheckBox>(7);
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isVisible());
    // "&&" is a literal ampersand, not a mnemonic.
    EXPECT_TRUE(QKeySequence::mnemonic(check->text()).isEmpty());
    EXPECT_EQ(QKeySequence::mnemonic(controls.Find<CLinkButton>(11)->text()), QKeySequence(Qt::ALT | Qt::Key_S));
    auto *go = controls.Find<QPushButton>(12);
    ASSERT_NE(go, nullptr);
    EXPECT_TRUE(go->isDefault());
    EXPECT_TRUE(controls.Find<QRadioButton>(3)->isVisible());
}

TEST_F(DialogBuilderTest, NumberBoxTakesDigitsUpToTheLargest32BitNumber)
{
    auto *box = controls.Find<QLineEdit>(8);
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("-1a2 3+"));
    EXPECT_EQ(box->text(), QStringLiteral("123"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("42949672956"));
    EXPECT_EQ(box->text(), QStringLiteral("4294967295"));
    // Longer than the box is wide: it scrolls instead of refusing.
    box->resize(20, box->height());
    box->clear();
    QTest::keyClicks(box, QStringLiteral("0000000000000000000000001"));
    EXPECT_EQ(box->text().size(), 25);
}

TEST_F(DialogBuilderTest, PickersUseTheLocaleFormatsAndTheDatePickerAPopUp)
{
    auto *date = controls.Find<QDateEdit>(9);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->displayFormat(), QLocale::system().dateFormat(QLocale::ShortFormat));
    EXPECT_TRUE(date->calendarPopup());
    date->setDate(QDate(1601, 1, 1));
    EXPECT_EQ(date->date(), QDate(1601, 1, 1));
    auto *time = controls.Find<QTimeEdit>(10);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->displayFormat(), QString::fromStdString(HoursMinutesFormat()));
    EXPECT_FALSE(time->calendarPopup());
    EXPECT_EQ(time->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
    time->setTime(QTime(9, 5));
    EXPECT_EQ(time->text(), QLocale::system().toString(QTime(9, 5), time->displayFormat()));
}

TEST_F(DialogBuilderTest, RightToLeftEachControlIsMirroredWithinTheTemplatesWidth)
{
    QWidget mirrored;
    mirrored.setLayoutDirection(Qt::RightToLeft);
    mirrored.resize(window.size());
    const DialogControls built = BuildDialogControls(kDialog, mirrored, units, kOrigin);
    ASSERT_EQ(built.All().size(), controls.All().size());
    const int width = units.ToPixelsX(kDialog.width);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const QRect ltr = controls.All()[i].widget->geometry();
        const QRect rtl = built.All()[i].widget->geometry();
        // The client area starts at the origin on either side.
        EXPECT_EQ(rtl, QRect(kOrigin.x() + width - (ltr.x() - kOrigin.x()) - ltr.width(), ltr.y(), ltr.width(),
                             ltr.height()))
            << i;
    }
    // The date picker left of the time picker left to right is right of it right to left.
    EXPECT_LT(controls.Find(9)->x(), controls.Find(10)->x());
    EXPECT_GT(built.Find(9)->x(), built.Find(10)->x());
    // A label wider than its template grows towards its start: its right edge is the template's.
    const QWidget *label = built.All()[0].widget;
    EXPECT_EQ(label->geometry().right() + 1, kOrigin.x() + width - units.ToPixelsX(5));
    EXPECT_GT(label->width(), units.ToPixelsX(20));
    // Labels start at their right edge, also one of left-to-right text broken into lines.
    for (const int i : {0, 14})
        EXPECT_TRUE(qobject_cast<QLabel *>(built.All()[i].widget)->alignment() & Qt::AlignRight) << i;
    EXPECT_TRUE(qobject_cast<QLabel *>(controls.All()[0].widget)->alignment() & Qt::AlignLeft);
}

} // namespace
} // namespace sifter
