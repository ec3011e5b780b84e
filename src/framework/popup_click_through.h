// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A click outside a shown pop-up list (a completer's suggestions) closes the list and still
// does what it does with no list shown: it reaches the widget under the pointer, which
// takes the focus if it takes it on a click. Qt's completer on its own only closes the list.
class QWidget;

namespace sifter {

// From now on, presses outside popup close it and go on to the widget under the pointer.
// The filter lives as long as the popup.
void PassClicksThroughPopup(QWidget &popup);

} // namespace sifter
