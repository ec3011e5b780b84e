// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CExcludePanel: what the search skips (dialog 136): one box, with the "Excludes" history,
// of folders and name patterns separated by ";".
#include "pane/criteria_panel.h"

#include <QString>

class QComboBox;

namespace sifter {

class CExcludePanel final : public CCriteriaPanel {
    Q_OBJECT

public:
    // Created hidden, its box empty.
    explicit CExcludePanel(QWidget *pane);

    bool ExchangeValues(bool pull) override;
    QComboBox *Box() const;
    // Appends folder to the box's text as one more entry, unless an entry already names it.
    void AddFolder(const QString &folder);

    QString excludes;
};

} // namespace sifter
