// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/fitted_text.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>

namespace sifter {
namespace {

int TextWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.size(Qt::TextShowMnemonic, text).width();
}

// What a button takes beside its text: indicator, spacing, margins.
int ButtonChrome(const QAbstractButton &button)
{
    return button.sizeHint().width() - TextWidth(button.fontMetrics(), button.text());
}

} // namespace

QString WithoutMnemonics(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain;
}

void ShowFitted(QLabel &label, const QString &whole, int room)
{
    const QFontMetrics metrics(label.font());
    if (metrics.horizontalAdvance(whole) <= room) {
        label.setText(whole);
        label.setToolTip(QString());
        return;
    }
    label.setText(metrics.elidedText(whole, Qt::ElideRight, room));
    label.setToolTip(whole);
}

void ShowFitted(QAbstractButton &button, const QString &whole)
{
    const QFontMetrics metrics(button.font());
    const int room = button.width() - ButtonChrome(button);
    if (TextWidth(metrics, whole) <= room) {
        button.setText(whole);
        button.setToolTip(QString());
        return;
    }
    button.setText(metrics.elidedText(whole, Qt::ElideRight, room, Qt::TextShowMnemonic));
    button.setToolTip(WithoutMnemonics(whole));
}

int WidthForWhole(const QAbstractButton &button, const QString &whole)
{
    return ButtonChrome(button) + TextWidth(button.fontMetrics(), whole);
}

} // namespace sifter
