// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/word_options_panel.h"

#include "framework/data_exchange.h"

#include <QAbstractButton>

namespace sifter {

CWordOptionsPanel::CWordOptionsPanel(QWidget *pane)
    : CCriteriaPanel(res::kDialogWordOptions,
                     {ctl::wordopt::kAnyWords, ctl::wordopt::kAllWords, ctl::wordopt::kExactPhrase,
                      ctl::wordopt::kWithoutWords, ctl::wordopt::kHexadecimal, ctl::wordopt::kUnicodeUtf8,
                      ctl::wordopt::kExpression},
                     pane)
{
    ExchangeValues(false);
    connect(&Control<QAbstractButton>(ctl::wordopt::kExpression), &QAbstractButton::clicked, this,
            &CWordOptionsPanel::UpdateWordControls);
}

bool CWordOptionsPanel::ExchangeValues(bool pull)
{
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::wordopt::kHexadecimal), hexadecimal);
    ExchangeRadio(pull, *Controls().RadioGroup(ctl::wordopt::kAnyWords), wordMode);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::wordopt::kUnicodeUtf8), unicodeUtf8);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::wordopt::kExpression), expression);
    return true;
}

void CWordOptionsPanel::UpdateWordControls()
{
    ExchangeValues(true);
    const bool plain = expression == 0;
    for (const int id : {ctl::wordopt::kAllWords, ctl::wordopt::kExactPhrase, ctl::wordopt::kHexadecimal,
                         ctl::wordopt::kUnicodeUtf8})
        Control<QWidget>(id).setEnabled(plain);
}

} // namespace sifter
