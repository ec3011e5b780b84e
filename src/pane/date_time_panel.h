// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CDateTimePanel: a date or time range on one of a file's three dates (dialog 133): which
// date, which part of it counts, two comparisons, each with a date and a time picker, of
// which only those the current choices make meaningful are enabled. Each bound may instead
// be counted back from the start of the run (a count and a unit, or today or yesterday).
#include "pane/criteria_panel.h"
#include "text/file_time.h"

namespace sifter {

class CDateTimePanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, the four points in time set to the current local time and shown.
    explicit CDateTimePanel(QWidget *pane);

    // The four lists, then each picker with its point in time. A date picker changes only
    // the date of its point in time, a time picker only the hours and minutes, and each
    // only when it shows another value than was pushed: what the picker cannot show is kept.
    bool ExchangeValues(bool pull) override;
    // Pulls, then enables the part and comparison lists when a date is chosen, and each
    // picker when its row's comparison is chosen and the part includes what it shows.
    // Runs on every selection change of the four lists.
    void UpdateDateControls();

    int dateKind = 0;      // 0 "Don't care"
    int datePart = 0;      // 0 "Date", 1 "Time", 2 "Date & Time"
    int dateCompare1 = 0;  // 0 "Don't care"
    int dateCompare2 = 0;
    SystemTime date1;      // local time, of pickers 1024, 1025, 1026, 1027
    SystemTime time1;
    SystemTime date2;
    SystemTime time2;
    int relative1 = 0;        // kRelative*: 0 "As picked"
    std::uint32_t count1 = 0; // of units back; an unreadable box keeps the last value
    int relative2 = 0;
    std::uint32_t count2 = 0;
};

} // namespace sifter
