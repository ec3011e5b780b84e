// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/resource_text.h"

#include <QCoreApplication>

namespace sifter {

// The contexts are those the tables mark their texts with (QT_TRANSLATE_NOOP).
QString MenuText(const char *text)
{
    return QCoreApplication::translate("Menus", text);
}

QString DialogText(const char *text)
{
    return QCoreApplication::translate("Dialogs", text);
}

QString StringTableText(const char *text)
{
    return QCoreApplication::translate("Strings", text);
}

} // namespace sifter
