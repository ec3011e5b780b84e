// SPDX-License-Identifier: GPL-3.0-or-later
// The criteria panels driven as a user drives them: the enabling rules of File Size and
// Date Time, the unreadable size box, Enter and Escape, stretching, and the copies of
// every criteria field into the panels and back.
#include "pane/attributes_panel.h"
#include "pane/criteria_panels.h"
#include "pane/date_time_panel.h"
#include "pane/exclude_panel.h"
#include "pane/file_size_panel.h"
#include "pane/word_options_panel.h"
#include "search/text_field.h"
#include "support/fake_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include <cstring>

namespace sifter::test {
namespace {

using namespace ctl;

SearchCriteria UnusualCriteria();

class CriteriaPanelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pane.resize(400, 600);
        paneButton = new QPushButton(QStringLiteral("&Search"), &pane);
        panels = CreateCriteriaPanels(&pane, prompts);
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    }

    // Shows a panel where the pane would stack it.
    void Show(CCriteriaPanel &panel)
    {
        panel.move(0, 0);
        panel.show();
        QApplication::processEvents();
    }

    // Picks entry index of the list the way a user does: focus, then arrow keys, each key
    // one selection change.
    static void Choose(QComboBox &box, int index)
    {
        box.setFocus();
        const int steps = index - box.currentIndex();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(&box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box.currentIndex(), index);
    }

    template <typename T>
    static T &Get(const CCriteriaPanel &panel, int id)
    {
        T *control = panel.Controls().Find<T>(id);
        EXPECT_NE(control, nullptr) << id;
        return *control;
    }

    QWidget pane;
    QPushButton *paneButton = nullptr;  // a control of the pane made before the panels
    FakePrompts prompts;
    CriteriaPanels panels;
};

TEST_F(CriteriaPanelsTest, PanelsStartHiddenWithTheirInitialValuesShown)
{
    for (QWidget *panel : std::initializer_list<QWidget *>{panels.wordOptions, panels.fileSize, panels.dateTime,
                                                           panels.attributes}) {
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->parentWidget(), &pane);
        EXPECT_TRUE(panel->isHidden());
    }
    CWordOptionsPanel &words = *panels.wordOptions;
    EXPECT_TRUE(Get<QRadioButton>(words, wordopt::kAnyWords).isChecked());
    EXPECT_FALSE(Get<QCheckBox>(words, wordopt::kHexadecimal).isChecked());
    EXPECT_TRUE(Get<QCheckBox>(words, wordopt::kUnicodeUtf8).isChecked());
    EXPECT_EQ(Get<QLineEdit>(*panels.fileSize, filesize::kValue1).text(), QStringLiteral("0"));
    EXPECT_EQ(Get<QComboBox>(*panels.fileSize, filesize::kUnit).currentText(), QStringLiteral("Don't care"));
    EXPECT_EQ(Get<QDateEdit>(*panels.dateTime, datetime::kDate2).date(), QDate::currentDate());
    CAttributesPanel &attributes = *panels.attributes;
    EXPECT_FALSE(Get<QCheckBox>(attributes, attrib::kCaseSensitive).isChecked());
    EXPECT_TRUE(Get<QCheckBox>(attributes, attrib::kShortNames).isChecked());
    Show(attributes);
    EXPECT_FALSE(Get<QCheckBox>(attributes, attrib::kShortNames).isVisible());
    EXPECT_TRUE(Get<QCheckBox>(attributes, attrib::kHidden).isVisible());
}

TEST_F(CriteriaPanelsTest, ClickedChoicesArePulledAndTabRunsThroughAShownPanel)
{
    CWordOptionsPanel &words = *panels.wordOptions;
    CAttributesPanel &attributes = *panels.attributes;
    Show(words);
    Show(attributes);
    attributes.move(0, words.height());
    QTest::mouseClick(&Get<QRadioButton>(words, wordopt::kExactPhrase), Qt::LeftButton);
    QTest::mouseClick(&Get<QCheckBox>(words, wordopt::kHexadecimal), Qt::LeftButton);
    QTest::mouseClick(&Get<QCheckBox>(attributes, attrib::kSubfolders), Qt::LeftButton);
    SearchCriteria criteria{};
    PullPanelsInto(panels, criteria);
    EXPECT_EQ(criteria.wordMode, kWordModePhrase);
    EXPECT_EQ(criteria.hexadecimal, 1);
    EXPECT_EQ(criteria.unicodeUtf8, 1);
    EXPECT_EQ(criteria.searchSubfolders, 0);
    EXPECT_EQ(criteria.searchHidden, 1);

    // From the pane's control into the first panel shown; a hidden panel is passed over.
    words.hide();
    paneButton->setFocus();
    QTest::keyClick(paneButton, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &Get<QCheckBox>(attributes, attrib::kReadOnly));
}

TEST_F(CriteriaPanelsTest, SizeUnitEnablesTheComparisonsAndEachComparisonItsBox)
{
    CFileSizePanel &size = *panels.fileSize;
    Show(size);
    QComboBox &unit = Get<QComboBox>(size, filesize::kUnit);
    QComboBox &first = Get<QComboBox>(size, filesize::kCompare1);
    QComboBox &second = Get<QComboBox>(size, filesize::kCompare2);
    QLineEdit &value1 = Get<QLineEdit>(size, filesize::kValue1);
    QLineEdit &value2 = Get<QLineEdit>(size, filesize::kValue2);
    EXPECT_FALSE(first.isEnabled());

    Choose(unit, kSizeUnitKB);
    EXPECT_TRUE(first.isEnabled());
    EXPECT_TRUE(second.isEnabled());
    EXPECT_FALSE(value1.isEnabled());
    EXPECT_FALSE(value2.isEnabled());

    Choose(first, kCompareAtLeast);
    EXPECT_TRUE(value1.isEnabled());
    EXPECT_FALSE(value2.isEnabled());
    value1.setFocus();
    value1.selectAll();
    QTest::keyClicks(&value1, QStringLiteral("250"));
    Choose(second, kCompareAtMost);
    EXPECT_TRUE(value2.isEnabled());

    // Back to "Don't care": everything below is greyed and keeps what it holds.
    Choose(unit, kSizeUnitNone);
    for (QWidget *control : std::initializer_list<QWidget *>{&first, &second, &value1, &value2})
        EXPECT_FALSE(control->isEnabled());
    EXPECT_EQ(first.currentIndex(), kCompareAtLeast);
    EXPECT_EQ(second.currentIndex(), kCompareAtMost);
    EXPECT_EQ(value1.text(), QStringLiteral("250"));
    EXPECT_EQ(size.sizeValue1, 250u);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(CriteriaPanelsTest, SizeBoxesTakeDigitsUpToTheLargest32BitNumber)
{
    CFileSizePanel &size = *panels.fileSize;
    Show(size);
    Choose(Get<QComboBox>(size, filesize::kUnit), kSizeUnitBytes);
    Choose(Get<QComboBox>(size, filesize::kCompare2), kCompareEqual);
    QLineEdit &box = Get<QLineEdit>(size, filesize::kValue2);
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("4x29-4 9.67295"));
    EXPECT_EQ(box.text(), QStringLiteral("4294967295"));
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClicks(&box, QStringLiteral("0"));
    EXPECT_EQ(box.text(), QStringLiteral("4294967295"));
    ASSERT_TRUE(size.ExchangeValues(true));
    EXPECT_EQ(size.sizeValue2, 4294967295u);
}

TEST_F(CriteriaPanelsTest, EmptiedSizeBoxStopsThePullOnceWithTheFocusInIt)
{
    CFileSizePanel &size = *panels.fileSize;
    Show(size);
    QComboBox &unit = Get<QComboBox>(size, filesize::kUnit);
    QComboBox &first = Get<QComboBox>(size, filesize::kCompare1);
    Choose(unit, kSizeUnitBytes);
    Choose(first, kCompareEqual);
    QLineEdit &value1 = Get<QLineEdit>(size, filesize::kValue1);
    ASSERT_TRUE(value1.isEnabled());
    value1.setFocus();
    value1.selectAll();
    QTest::keyClick(&value1, Qt::Key_Backspace);
    ASSERT_TRUE(value1.text().isEmpty());

    // A new unit: the pull stops at the empty box, so the unit member and the enabling
    // stay as they were before the change.
    Choose(unit, kSizeUnitNone);
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(prompts.errors[0], QStringLiteral("Please enter a positive integer."));
    EXPECT_EQ(QApplication::focusWidget(), &value1);
    EXPECT_EQ(size.sizeUnit, kSizeUnitBytes);
    EXPECT_TRUE(first.isEnabled());
    EXPECT_TRUE(value1.isEnabled());

    // The values after the box in exchange order keep theirs too.
    Get<QLineEdit>(size, filesize::kValue2).setText(QStringLiteral("77"));
    EXPECT_FALSE(size.ExchangeValues(true));
    EXPECT_EQ(prompts.errors.size(), 2);
    EXPECT_EQ(size.sizeValue2, 0u);
    EXPECT_EQ(size.sizeCompare1, kCompareEqual);
}

TEST_F(CriteriaPanelsTest, DatePartEnablesThePickersOfTheChosenRows)
{
    CDateTimePanel &date = *panels.dateTime;
    Show(date);
    QComboBox &kind = Get<QComboBox>(date, datetime::kKind);
    QComboBox &part = Get<QComboBox>(date, datetime::kPart);
    QComboBox &first = Get<QComboBox>(date, datetime::kCompare1);
    QComboBox &second = Get<QComboBox>(date, datetime::kCompare2);
    QWidget &date1 = Get<QDateEdit>(date, datetime::kDate1);
    QWidget &time1 = Get<QTimeEdit>(date, datetime::kTime1);
    QWidget &date2 = Get<QDateEdit>(date, datetime::kDate2);
    QWidget &time2 = Get<QTimeEdit>(date, datetime::kTime2);
    const auto enabled = [&] {
        return std::vector<bool>{part.isEnabled(),  first.isEnabled(), second.isEnabled(), date1.isEnabled(),
                                 time1.isEnabled(), date2.isEnabled(), time2.isEnabled()};
    };
    EXPECT_EQ(enabled(), std::vector<bool>(7, false));

    Choose(kind, kDateKindModified);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, false, false, false, false}));
    Choose(first, kCompareAtLeast);  // part "Date": the first row's date picker only
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false, false, false}));
    Choose(part, kDatePartTime);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, false, true, false, false}));
    Choose(second, kCompareAtMost);
    Choose(part, kDatePartDateTime);
    EXPECT_EQ(enabled(), std::vector<bool>(7, true));
    Choose(kind, kDateKindNone);
    EXPECT_EQ(enabled(), std::vector<bool>(7, false));
    EXPECT_EQ(part.currentIndex(), kDatePartDateTime);
}

TEST_F(CriteriaPanelsTest, EnterAndEscapeGiveTheFocusToThePaneAndKeepThePanelShown)
{
    CAttributesPanel &attributes = *panels.attributes;
    CFileSizePanel &size = *panels.fileSize;
    Show(attributes);
    Show(size);
    QCheckBox &hidden = Get<QCheckBox>(attributes, attrib::kHidden);
    hidden.setFocus();
    QTest::keyClick(&hidden, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &pane);
    EXPECT_TRUE(attributes.isVisible());
    EXPECT_TRUE(hidden.isChecked());

    Choose(Get<QComboBox>(size, filesize::kUnit), kSizeUnitGB);
    Choose(Get<QComboBox>(size, filesize::kCompare1), kCompareEqual);
    QLineEdit &box = Get<QLineEdit>(size, filesize::kValue1);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &pane);
    QComboBox &unit = Get<QComboBox>(size, filesize::kUnit);
    unit.setFocus();
    QTest::keyClick(&unit, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), &pane);
    EXPECT_TRUE(size.isVisible());
    EXPECT_EQ(unit.currentIndex(), kSizeUnitGB);

    CDateTimePanel &date = *panels.dateTime;
    Show(date);
    PushCriteriaInto(UnusualCriteria(), panels);
    auto &picker = Get<QDateEdit>(date, datetime::kDate1);
    picker.setFocus();
    QTest::keyClick(&picker, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &pane);
    EXPECT_TRUE(date.isVisible());
}

TEST_F(CriteriaPanelsTest, ResizeStretchesTheListedControlsToTheRightEdge)
{
    CDateTimePanel &date = *panels.dateTime;
    CWordOptionsPanel &words = *panels.wordOptions;
    CAttributesPanel &attributes = *panels.attributes;
    QWidget &picker = Get<QDateEdit>(date, datetime::kDate1);
    const QRect pickerBefore = picker.geometry();
    const QRect kindBefore = Get<QComboBox>(date, datetime::kKind).geometry();
    const QRect shortNamesBefore = Get<QCheckBox>(attributes, attrib::kShortNames).geometry();

    // A collapsed panel is resized with the pane too; it stretches by the time it shows.
    date.resize(300, date.height());
    for (const int width : {300, 500, 90}) {
        for (CCriteriaPanel *panel : std::initializer_list<CCriteriaPanel *>{&date, &words, &attributes}) {
            Show(*panel);
            panel->resize(width, panel->height());
        }
        const QRect kind = Get<QComboBox>(date, datetime::kKind).geometry();
        EXPECT_EQ(kind.right(), width - 1);
        EXPECT_EQ(kind.left(), kindBefore.left());
        EXPECT_EQ(kind.top(), kindBefore.top());
        EXPECT_EQ(kind.height(), kindBefore.height());
        // A control that starts right of the edge keeps its place, with no width left.
        const QRect clock = Get<QTimeEdit>(date, datetime::kTime2).geometry();
        EXPECT_EQ(clock.right(), clock.left() < width ? width - 1 : clock.left() - 1);
        EXPECT_EQ(picker.geometry(), pickerBefore);

        // Inside the thin border: the client area's right edge.
        EXPECT_EQ(Get<QCheckBox>(words, wordopt::kUnicodeUtf8).geometry().right(), words.contentsRect().right());
        EXPECT_LT(words.contentsRect().right(), width - 1);

        EXPECT_EQ(Get<QCheckBox>(attributes, attrib::kCaseSensitive).geometry().right(), width - 1);
        EXPECT_EQ(Get<QCheckBox>(attributes, attrib::kShortNames).geometry(), shortNamesBefore);
    }
}

// Every field a panel holds, with values unlike the defaults.
SearchCriteria UnusualCriteria()
{
    SearchCriteria criteria{};
    ResetCriteria(criteria, SystemTime{2026, 12, 2, 8, 10, 20, 30, 400});
    SetTextField(criteria.names, "kept out of the panels");
    criteria.wordMode = kWordModeWithout;
    criteria.hexadecimal = 1;
    criteria.unicodeUtf8 = 0;
    criteria.sizeUnit = kSizeUnitGB;
    criteria.sizeCompare1 = kCompareAtMost;
    criteria.sizeCompare2 = kCompareEqual;
    criteria.sizeValue1 = 4294967295u;
    criteria.sizeValue2 = 12;
    criteria.dateKind = kDateKindAccessed;
    criteria.datePart = kDatePartDateTime;
    criteria.dateCompare1 = kCompareAtLeast;
    criteria.dateCompare2 = kCompareEqual;
    criteria.date1 = SystemTime{1999, 2, 5, 28, 23, 59, 58, 999};  // a Sunday, named a Friday
    criteria.time1 = SystemTime{2030, 7, 3, 17, 0, 1, 2, 3};
    criteria.date2 = SystemTime{1601, 1, 1, 1, 5, 6, 7, 8};
    criteria.time2 = SystemTime{2000, 2, 2, 29, 12, 34, 56, 789};
    criteria.searchHidden = 0;
    criteria.searchReadOnly = 0;
    criteria.searchSystem = 0;
    criteria.searchSubfolders = 0;
    criteria.caseSensitive = 1;
    criteria.searchShortNames = 1;
    return criteria;
}

TEST_F(CriteriaPanelsTest, EveryFieldSurvivesAPushAndAPull)
{
    const SearchCriteria pushed = UnusualCriteria();
    PushCriteriaInto(pushed, panels);
    SearchCriteria pulled{};
    std::memcpy(pulled.names, pushed.names, sizeof pulled.names);
    PullPanelsInto(panels, pulled);
    EXPECT_EQ(EncodeCriteria(pulled), EncodeCriteria(pushed));
    EXPECT_TRUE(prompts.errors.isEmpty());

    // The controls show the values, and the enabling follows them.
    EXPECT_TRUE(Get<QRadioButton>(*panels.wordOptions, wordopt::kWithoutWords).isChecked());
    EXPECT_EQ(Get<QLineEdit>(*panels.fileSize, filesize::kValue1).text(), QStringLiteral("4294967295"));
    EXPECT_TRUE(Get<QLineEdit>(*panels.fileSize, filesize::kValue2).isEnabled());
    EXPECT_EQ(Get<QDateEdit>(*panels.dateTime, datetime::kDate1).date(), QDate(1999, 2, 28));
    EXPECT_EQ(Get<QTimeEdit>(*panels.dateTime, datetime::kTime2).time(), QTime(12, 34));
    EXPECT_TRUE(Get<QTimeEdit>(*panels.dateTime, datetime::kTime2).isEnabled());
    EXPECT_TRUE(Get<QCheckBox>(*panels.attributes, attrib::kCaseSensitive).isChecked());
}

TEST_F(CriteriaPanelsTest, PickersChangeOnlyThePartTheyShow)
{
    PushCriteriaInto(UnusualCriteria(), panels);
    CDateTimePanel &date = *panels.dateTime;
    Show(date);
    auto &picker = Get<QDateEdit>(date, datetime::kDate1);
    picker.setFocus();
    picker.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&picker, Qt::Key_Down);  // 28 February 1999 to the 27th, a Saturday
    auto &clock = Get<QTimeEdit>(date, datetime::kTime2);
    clock.setFocus();
    clock.setSelectedSection(QDateTimeEdit::MinuteSection);
    QTest::keyClick(&clock, Qt::Key_Up);

    SearchCriteria pulled{};
    PullPanelsInto(panels, pulled);
    EXPECT_EQ(pulled.date1.year, 1999);
    EXPECT_EQ(pulled.date1.month, 2);
    EXPECT_EQ(pulled.date1.day, 27);
    EXPECT_EQ(pulled.date1.dayOfWeek, 6);
    EXPECT_EQ(pulled.date1.hour, 23);
    EXPECT_EQ(pulled.date1.milliseconds, 999);
    EXPECT_EQ(pulled.time2.hour, 12);
    EXPECT_EQ(pulled.time2.minute, 35);
    EXPECT_EQ(pulled.time2.second, 56);
    EXPECT_EQ(pulled.time2.day, 29);
}

TEST_F(CriteriaPanelsTest, ChoicesThatNameNoEntryComeBackAsNone)
{
    SearchCriteria hostile = UnusualCriteria();
    hostile.wordMode = 9;
    hostile.sizeUnit = -3;
    hostile.dateKind = 4;
    hostile.hexadecimal = 7;
    hostile.date1 = SystemTime{2024, 13, 0, 40, 0, 0, 0, 0};
    PushCriteriaInto(hostile, panels);
    SearchCriteria pulled = hostile;
    PullPanelsInto(panels, pulled);
    EXPECT_EQ(pulled.wordMode, -1);
    EXPECT_EQ(pulled.sizeUnit, -1);
    EXPECT_EQ(pulled.dateKind, -1);
    EXPECT_EQ(pulled.hexadecimal, 1);
    // The picker could not show that date: what it shows is what the user sees.
    EXPECT_TRUE(QDate(pulled.date1.year, pulled.date1.month, pulled.date1.day).isValid());
}

// ---- relative bounds, the words expression and the Exclude text

TEST_F(CriteriaPanelsTest, RelativeBoundNeedsNoPickerAndOnlyCountedUnitsACount)
{
    CDateTimePanel &date = *panels.dateTime;
    Show(date);
    ASSERT_NO_FATAL_FAILURE(Choose(Get<QComboBox>(date, datetime::kKind), kDateKindModified));
    ASSERT_NO_FATAL_FAILURE(Choose(Get<QComboBox>(date, datetime::kCompare1), kCompareAtLeast));
    auto &relative = Get<QComboBox>(date, datetime::kRelative1);
    auto &count = Get<QLineEdit>(date, datetime::kCount1);
    auto &picker = Get<QDateEdit>(date, datetime::kDate1);
    EXPECT_TRUE(relative.isEnabled());
    EXPECT_TRUE(picker.isEnabled());
    EXPECT_FALSE(count.isEnabled());
    ASSERT_NO_FATAL_FAILURE(Choose(relative, kRelativeDays));
    EXPECT_FALSE(picker.isEnabled());
    EXPECT_TRUE(count.isEnabled());
    ASSERT_NO_FATAL_FAILURE(Choose(relative, kRelativeToday));
    EXPECT_FALSE(count.isEnabled());
    EXPECT_FALSE(date.Controls().Find<QComboBox>(datetime::kRelative2)->isEnabled()); // its row is "Don't care"
}

TEST_F(CriteriaPanelsTest, WordsExpressionDisablesWhatShapesPlainWords)
{
    CWordOptionsPanel &words = *panels.wordOptions;
    Show(words);
    auto *expression = words.Controls().Find<QAbstractButton>(wordopt::kExpression);
    QTest::mouseClick(expression, Qt::LeftButton);
    for (const int id : {wordopt::kAllWords, wordopt::kExactPhrase, wordopt::kHexadecimal, wordopt::kUnicodeUtf8})
        EXPECT_FALSE(words.Controls().Find<QWidget>(id)->isEnabled()) << id;
    EXPECT_TRUE(words.Controls().Find<QWidget>(wordopt::kWithoutWords)->isEnabled());
    QTest::mouseClick(expression, Qt::LeftButton);
    EXPECT_TRUE(words.Controls().Find<QWidget>(wordopt::kAllWords)->isEnabled());
}

TEST_F(CriteriaPanelsTest, ExtraCriteriaGoIntoThePanelsAndComeBackUnchanged)
{
    ExtraCriteria pushed;
    pushed.excludes = "~/cache;*.bak";
    pushed.regexWords = true;
    pushed.date1 = {kRelativeMonths, 13};
    pushed.date2 = {kRelativeYesterday, 0};
    PushCriteriaInto(UnusualCriteria(), panels);
    PushExtrasInto(pushed, panels);
    SearchCriteria criteria{};
    PullPanelsInto(panels, criteria);
    ExtraCriteria pulled;
    PullPanelsInto(panels, pulled);
    EXPECT_EQ(pulled, pushed);
}

} // namespace
} // namespace sifter::test
