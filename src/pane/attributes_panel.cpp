// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/attributes_panel.h"

#include "framework/data_exchange.h"

#include <QAbstractButton>

namespace sifter {

CAttributesPanel::CAttributesPanel(QWidget *pane)
    : CCriteriaPanel(res::kDialogAttributes,
                     {ctl::attrib::kReadOnly, ctl::attrib::kHidden, ctl::attrib::kSystem, ctl::attrib::kSubfolders,
                      ctl::attrib::kCaseSensitive},
                     pane)
{
    ExchangeValues(false);
}

bool CAttributesPanel::ExchangeValues(bool pull)
{
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kReadOnly), searchReadOnly);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kHidden), searchHidden);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kSystem), searchSystem);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kSubfolders), searchSubfolders);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kCaseSensitive), caseSensitive);
    ExchangeCheck(pull, Control<QAbstractButton>(ctl::attrib::kShortNames), searchShortNames);
    return true;
}

} // namespace sifter
