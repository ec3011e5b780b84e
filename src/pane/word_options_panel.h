#pragma once
// CWordOptionsPanel: how the words are matched (dialog 132): the word mode as a radio
// group, and the hexadecimal and Unicode & UTF-8 check boxes. No control is ever disabled.
#include "pane/criteria_panel.h"

namespace sifter {

class CWordOptionsPanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, its controls showing the initial values.
    explicit CWordOptionsPanel(QWidget *pane);

    bool ExchangeValues(bool pull) override;

    int hexadecimal = 0;
    int wordMode = 0;     // position in the radio group: 0 "Any of the words."
    int unicodeUtf8 = 1;
};

} // namespace sifter
