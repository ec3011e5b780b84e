// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/data_exchange.h"

#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "res/resource_ids.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

#include <limits>

namespace sifter {
namespace {

QDate DateOf(const SystemTime &fields)
{
    return {fields.year, fields.month, fields.day};
}

QTime HoursMinutesOf(const SystemTime &fields)
{
    return {fields.hour, fields.minute};
}

} // namespace

void ExchangeCheck(bool pull, QAbstractButton &box, int &value)
{
    if (pull)
        value = box.isChecked() ? 1 : 0;
    else
        box.setChecked(value != 0);
}

void ExchangeRadio(bool pull, QButtonGroup &group, int &value)
{
    if (pull) {
        value = group.checkedId();
        return;
    }
    if (QAbstractButton *button = group.button(value)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    group.setExclusive(false);
    for (QAbstractButton *button : group.buttons())
        button->setChecked(false);
    group.setExclusive(true);
}

void ExchangeIndex(bool pull, QComboBox &box, int &value)
{
    if (pull)
        value = box.currentIndex();
    else
        box.setCurrentIndex(value >= 0 && value < box.count() ? value : -1);
}

bool ExchangeUnsigned(bool pull, QLineEdit &box, std::uint32_t &value, UserPrompts &prompts)
{
    if (!pull) {
        box.setText(QString::number(value));
        return true;
    }
    const QString text = box.text();
    bool ok = !text.isEmpty();
    for (const QChar c : text)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const qulonglong number = ok ? text.toULongLong(&ok) : 0;
    if (!ok || number > std::numeric_limits<std::uint32_t>::max()) {
        prompts.ShowError(LoadResString(str::kParseUnsigned));
        box.setFocus();
        box.selectAll();
        return false;
    }
    value = static_cast<std::uint32_t>(number);
    return true;
}

void ExchangeDate(bool pull, QDateEdit &picker, SystemTime &value)
{
    if (!pull) {
        picker.setDate(DateOf(value));
        return;
    }
    const QDate shown = picker.date();
    if (shown == DateOf(value))
        return;
    value.year = static_cast<std::uint16_t>(shown.year());
    value.month = static_cast<std::uint16_t>(shown.month());
    value.day = static_cast<std::uint16_t>(shown.day());
    value.dayOfWeek = static_cast<std::uint16_t>(shown.dayOfWeek() % 7);  // Qt counts Sunday as 7
}

void ExchangeTime(bool pull, QTimeEdit &picker, SystemTime &value)
{
    if (!pull) {
        picker.setTime(HoursMinutesOf(value));
        return;
    }
    const QTime shown = picker.time();
    if (QTime(shown.hour(), shown.minute()) == HoursMinutesOf(value))
        return;
    value.hour = static_cast<std::uint16_t>(shown.hour());
    value.minute = static_cast<std::uint16_t>(shown.minute());
}

} // namespace sifter
