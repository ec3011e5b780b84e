#include "pane/word_options_panel.h"

#include "framework/data_exchange.h"

#include <QAbstractButton>

namespace sifter {

CWordOptionsPanel::CWordOptionsPanel(QWidget *pane)
    : CCriteriaPanel(res::kDialogWordOptions,
                     {ctl::wordopt::kAnyWords, ctl::wordopt::kAllWords, ctl::wordopt::kExactPhrase,
                      ctl::wordopt::kWithoutWords, ctl::wordopt::kHexadecimal, ctl::wordopt::kUnicodeUtf8},
                     pane)
{
    ExchangeValues(false);
}

bool CWordOptionsPanel::ExchangeValues(bool pull)
{
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::wordopt::kHexadecimal), hexadecimal);
    ExchangeRadio(pull, *Controls().RadioGroup(ctl::wordopt::kAnyWords), wordMode);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::wordopt::kUnicodeUtf8), unicodeUtf8);
    return true;
}

} // namespace sifter
