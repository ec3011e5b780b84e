// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exchange of a dialog's values with its controls in either direction: pull copies a
// control's state into the value, push shows the value in the control.
#include "text/file_time.h"

#include <cstdint>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;

namespace sifter {

class UserPrompts;

// A check box as 0 or 1; any non-zero value pushed checks it.
void ExchangeCheck(bool pull, QAbstractButton &box, int &value);
// The position of the checked button of an exclusive group, -1 when none is checked; a
// value that names no button clears them all.
void ExchangeRadio(bool pull, QButtonGroup &group, int &value);
// The selected entry's position, -1 when none is selected; a value that names no entry
// clears the selection.
void ExchangeIndex(bool pull, QComboBox &box, int &value);
// Unsigned decimal text. A pull of a text that is not a 32-bit unsigned number (an empty
// one included) shows the parse message through prompts, puts the focus into the box with
// its text selected, leaves value alone and returns false. A push always succeeds.
bool ExchangeUnsigned(bool pull, QLineEdit &box, std::uint32_t &value, UserPrompts &prompts);
// The date part (year, month, day, day of week) of a point in time held as calendar
// fields. A pull leaves every field alone unless the picker shows another date than the
// fields hold, so that a point in time comes back exactly as it was pushed.
void ExchangeDate(bool pull, QDateEdit &picker, SystemTime &value);
// The hours and minutes of a point in time, likewise: a pull changes only them, and only
// when the picker shows another time than the fields hold.
void ExchangeTime(bool pull, QTimeEdit &picker, SystemTime &value);

} // namespace sifter
