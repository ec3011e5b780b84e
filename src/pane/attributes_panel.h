// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CAttributesPanel: which kinds of files are searched (dialog 134): six check boxes, of
// which the short-name one is never shown, though its value is exchanged like the others.
#include "pane/criteria_panel.h"

namespace sifter {

class CAttributesPanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, its controls showing the initial values.
    explicit CAttributesPanel(QWidget *pane);

    bool ExchangeValues(bool pull) override;

    int caseSensitive = 0;
    int searchHidden = 1;
    int searchReadOnly = 1;
    int searchSubfolders = 1;
    int searchSystem = 1;
    int searchShortNames = 1;
};

} // namespace sifter
