// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/spoken_buttons.h"

#include "framework/string_resources.h"
#include "res/resource_ids.h"

#include <QAbstractButton>
#include <QDialogButtonBox>

namespace sifter {

void DescribeButtonsByRole(QDialogButtonBox &box)
{
    for (QAbstractButton *button : box.buttons()) {
        if (!button->accessibleDescription().isEmpty() || !button->toolTip().isEmpty())
            continue;
        switch (box.buttonRole(button)) {
        case QDialogButtonBox::AcceptRole:
        case QDialogButtonBox::YesRole:
            button->setAccessibleDescription(LoadResString(str::kSpokenAccept));
            break;
        case QDialogButtonBox::RejectRole:
        case QDialogButtonBox::NoRole:
            button->setAccessibleDescription(LoadResString(str::kSpokenReject));
            break;
        default:
            break;
        }
    }
}

} // namespace sifter
