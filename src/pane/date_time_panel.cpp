#include "pane/date_time_panel.h"

#include "framework/data_exchange.h"
#include "search/search_criteria.h"

#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>

namespace sifter {

CDateTimePanel::CDateTimePanel(QWidget *pane)
    : CCriteriaPanel(res::kDialogDateTime,
                     {ctl::datetime::kKind, ctl::datetime::kPart, ctl::datetime::kCompare1, ctl::datetime::kCompare2,
                      ctl::datetime::kTime1, ctl::datetime::kTime2},
                     pane)
{
    date1 = time1 = date2 = time2 = CurrentLocalTime();
    ExchangeValues(false);
    // activated: a choice of the user's, never the panel's own push.
    for (const int id :
         {ctl::datetime::kKind, ctl::datetime::kPart, ctl::datetime::kCompare1, ctl::datetime::kCompare2})
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
    Control<QWidget>(ctl::datetime::kDate1).setEnabled(first && dates);
    Control<QWidget>(ctl::datetime::kTime1).setEnabled(first && times);
    Control<QWidget>(ctl::datetime::kDate2).setEnabled(second && dates);
    Control<QWidget>(ctl::datetime::kTime2).setEnabled(second && times);
}

} // namespace sifter
