// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/date_time_panel.h"

#include "framework/data_exchange.h"
#include "search/extra_criteria.h"
#include "search/search_criteria.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

namespace sifter {
namespace {

void ExchangeCount(bool pull, QLineEdit &box, std::uint32_t &count)
{
    if (!pull) {
        box.setText(QString::number(count));
        return;
    }
    bool ok = false;
    const uint value = box.text().toUInt(&ok);
    if (ok)
        count = value;
}

bool IsCounted(int relative)
{
    return relative >= kRelativeMinutes && relative <= kRelativeMonths;
}

} // namespace

CDateTimePanel::CDateTimePanel(QWidget *pane)
    : CCriteriaPanel(res::kDialogDateTime,
                     {ctl::datetime::kKind, ctl::datetime::kPart, ctl::datetime::kCompare1, ctl::datetime::kCompare2,
                      ctl::datetime::kTime1, ctl::datetime::kTime2, ctl::datetime::kRelative1,
                      ctl::datetime::kRelative2},
                     pane)
{
    date1 = time1 = date2 = time2 = CurrentLocalTime();
    ExchangeValues(false);
    // activated: a choice of the user's, never the panel's own push.
    for (const int id : {ctl::datetime::kKind, ctl::datetime::kPart, ctl::datetime::kCompare1,
                         ctl::datetime::kCompare2, ctl::datetime::kRelative1, ctl::datetime::kRelative2})
        connect(&Control<QComboBox>(id), &QComboBox::activated, this, &CDateTimePanel::UpdateDateControls);
}

bool CDateTimePanel::ExchangeValues(bool pull)
{
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kKind), dateKind);
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kPart), datePart);
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kCompare1), dateCompare1);
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kCompare2), dateCompare2);
    ExchangeDate(pull, Control<QDateEdit>(ctl::datetime::kDate1), date1);
    ExchangeTime(pull, Control<QTimeEdit>(ctl::datetime::kTime1), time1);
    ExchangeDate(pull, Control<QDateEdit>(ctl::datetime::kDate2), date2);
    ExchangeTime(pull, Control<QTimeEdit>(ctl::datetime::kTime2), time2);
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kRelative1), relative1);
    ExchangeCount(pull, Control<QLineEdit>(ctl::datetime::kCount1), count1);
    ExchangeIndex(pull, Control<QComboBox>(ctl::datetime::kRelative2), relative2);
    ExchangeCount(pull, Control<QLineEdit>(ctl::datetime::kCount2), count2);
    return true;
}

void CDateTimePanel::UpdateDateControls()
{
    ExchangeValues(true);
    const bool kind = dateKind != kDateKindNone;
    const bool dates = datePart != kDatePartTime;
    const bool times = datePart != kDatePartDate;
    const bool first = kind && dateCompare1 != kCompareNone;
    const bool second = kind && dateCompare2 != kCompareNone;
    Control<QWidget>(ctl::datetime::kPart).setEnabled(kind);
    Control<QWidget>(ctl::datetime::kCompare1).setEnabled(kind);
    Control<QWidget>(ctl::datetime::kCompare2).setEnabled(kind);
    // A bound counted back from the run's start needs no picker.
    const bool picked1 = relative1 == kRelativeNone;
    const bool picked2 = relative2 == kRelativeNone;
    Control<QWidget>(ctl::datetime::kDate1).setEnabled(first && dates && picked1);
    Control<QWidget>(ctl::datetime::kTime1).setEnabled(first && times && picked1);
    Control<QWidget>(ctl::datetime::kDate2).setEnabled(second && dates && picked2);
    Control<QWidget>(ctl::datetime::kTime2).setEnabled(second && times && picked2);
    Control<QWidget>(ctl::datetime::kRelative1).setEnabled(first);
    Control<QWidget>(ctl::datetime::kRelative2).setEnabled(second);
    Control<QWidget>(ctl::datetime::kCount1).setEnabled(first && IsCounted(relative1));
    Control<QWidget>(ctl::datetime::kCount2).setEnabled(second && IsCounted(relative2));
}

} // namespace sifter
