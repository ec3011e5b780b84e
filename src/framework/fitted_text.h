// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label's or option's own text (from a template, with mnemonic marks) in the width its
// widget has: whole when it fits, else cut at its end with an ellipsis and the whole text
// as the widget's tip, so that nothing is ever clipped unmarked.
#include <QString>

class QAbstractButton;
class QLabel;

namespace sifter {

// The text as the user reads it: a mark "&" before a character gone, "&&" as "&".
QString WithoutMnemonics(const QString &text);

// Shows whole in label when it takes at most room pixels, else elided to room.
void ShowFitted(QLabel &label, const QString &whole, int room);

// Shows whole in a check box or radio button at its present width (the indicator and
// margins take what they take), else elided to what is left of it.
void ShowFitted(QAbstractButton &button, const QString &whole);

// The width the button needs to show whole.
int WidthForWhole(const QAbstractButton &button, const QString &whole);

} // namespace sifter
