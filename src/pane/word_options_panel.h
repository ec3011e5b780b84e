// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CWordOptionsPanel: how the words are matched (dialog 132): the word mode as a radio
// group, the hexadecimal and Unicode & UTF-8 check boxes, and whether the words are one
// regular expression; while they are, the all-words and phrase modes and the two check
// boxes that shape plain words are disabled (a chosen disabled mode searches as any).
#include "pane/criteria_panel.h"

namespace sifter {

class CWordOptionsPanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, its controls showing the initial values.
    explicit CWordOptionsPanel(QWidget *pane);

    bool ExchangeValues(bool pull) override;
    // Pulls, then enables the controls that apply to plain words or to an expression.
    void UpdateWordControls();

    int hexadecimal = 0;
    int wordMode = 0;     // position in the radio group: 0 "Any of the words."
    int unicodeUtf8 = 1;
    int expression = 0;
};

} // namespace sifter
