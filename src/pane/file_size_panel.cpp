// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/file_size_panel.h"

#include "framework/data_exchange.h"
#include "search/search_criteria.h"

#include <QComboBox>
#include <QLineEdit>

namespace sifter {

CFileSizePanel::CFileSizePanel(QWidget *pane, UserPrompts &prompts)
    : CCriteriaPanel(res::kDialogFileSize,
                     {ctl::filesize::kUnit, ctl::filesize::kCompare1, ctl::filesize::kCompare2,
                      ctl::filesize::kValue1, ctl::filesize::kValue2},
                     pane),
      prompts_(prompts)
{
    ExchangeValues(false);
    // activated: a choice of the user's, never the panel's own push.
    for (const int id : {ctl::filesize::kUnit, ctl::filesize::kCompare1, ctl::filesize::kCompare2})
        connect(&Control<QComboBox>(id), &QComboBox::activated, this, &CFileSizePanel::UpdateSizeControls);
}

bool CFileSizePanel::ExchangeValues(bool pull)
{
    if (!ExchangeUnsigned(pull, Control<QLineEdit>(ctl::filesize::kValue1), sizeValue1, prompts_))
        return false;
    if (!ExchangeUnsigned(pull, Control<QLineEdit>(ctl::filesize::kValue2), sizeValue2, prompts_))
        return false;
    ExchangeIndex(pull, Control<QComboBox>(ctl::filesize::kUnit), sizeUnit);
    ExchangeIndex(pull, Control<QComboBox>(ctl::filesize::kCompare1), sizeCompare1);
    ExchangeIndex(pull, Control<QComboBox>(ctl::filesize::kCompare2), sizeCompare2);
    return true;
}

void CFileSizePanel::UpdateSizeControls()
{
    // A failed pull leaves the members as they were; the enabling follows them.
    ExchangeValues(true);
    const bool unit = sizeUnit != kSizeUnitNone;
    Control<QWidget>(ctl::filesize::kCompare1).setEnabled(unit);
    Control<QWidget>(ctl::filesize::kCompare2).setEnabled(unit);
    Control<QWidget>(ctl::filesize::kValue1).setEnabled(unit && sizeCompare1 != kCompareNone);
    Control<QWidget>(ctl::filesize::kValue2).setEnabled(unit && sizeCompare2 != kCompareNone);
}

} // namespace sifter
