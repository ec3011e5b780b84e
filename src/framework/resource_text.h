// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the resource tables in the user's language: each table is one context of the
// catalogue, and a text the catalogue lacks stays as the table has it.
#include <QString>

namespace sifter {

// A menu item's or popup's text (res/menus.cpp).
QString MenuText(const char *text);
// A dialog template's caption, control text, list entry or spoken text (res/dialogs.cpp).
QString DialogText(const char *text);
// A string table text (res/string_table.cpp).
QString StringTableText(const char *text);

} // namespace sifter
