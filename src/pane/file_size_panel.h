// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CFileSizePanel: a file-size range (dialog 131): the unit, two comparisons and two
// number boxes, of which only those the current choices make meaningful are enabled.
#include "pane/criteria_panel.h"

#include <cstdint>

namespace sifter {

class UserPrompts;

class CFileSizePanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, its controls showing the initial values; a number box that holds no
    // number is reported through prompts, which must outlive the panel.
    CFileSizePanel(QWidget *pane, UserPrompts &prompts);

    // In the order 1014, 1015, 1011, 1012, 1013. A pull stops at a number box that holds
    // no unsigned number (after the message, with the focus in it) and returns false: it
    // and the values after it keep what they held.
    bool ExchangeValues(bool pull) override;
    // Pulls, then enables the comparisons when a unit is chosen and each number box when
    // its comparison is chosen too. Runs on every selection change of the three lists.
    void UpdateSizeControls();

    std::uint32_t sizeValue1 = 0;
    std::uint32_t sizeValue2 = 0;
    int sizeUnit = 0;      // 0 "Don't care"
    int sizeCompare1 = 0;  // 0 "Don't care"
    int sizeCompare2 = 0;

private:
    UserPrompts &prompts_;
};

} // namespace sifter
