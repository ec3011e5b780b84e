// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/locale_text.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace sifter {
namespace {

constexpr QChar kQuote = QLatin1Char('\'');

bool IsFieldSeparator(QChar c)
{
    return !c.isLetterOrNumber() && !c.isSpace() && c != kQuote;
}

// The format without seconds (s, ss) and their fractions (z, zzz), together with the
// separator before each; quoted literal text is kept as it is. Some locales (C among
// them) put seconds into even their short time format.
QString WithoutSeconds(const QString &format)
{
    QString out;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == kQuote) {
            qsizetype end = format.indexOf(kQuote, i + 1);
            end = end < 0 ? format.size() : end + 1;
            out += QStringView(format).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('s') || c == QLatin1Char('z')) {
            while (i < format.size() && format[i] == c)
                ++i;
            while (!out.isEmpty() && IsFieldSeparator(out.back()))
                out.chop(1);
        } else {
            out += c;
            ++i;
        }
    }
    return out.trimmed();
}

} // namespace

std::string FormatShortDate(const SystemTime &fields)
{
    const QDate date(fields.year, fields.month, fields.day);
    if (!date.isValid())
        return {};
    return QLocale::system().toString(date, QLocale::ShortFormat).toStdString();
}

std::string FormatHoursMinutes(const SystemTime &fields)
{
    const QTime time(fields.hour, fields.minute);
    if (!time.isValid())
        return {};
    return QLocale::system().toString(time, QString::fromStdString(HoursMinutesFormat())).toStdString();
}

std::string HoursMinutesFormat()
{
    return WithoutSeconds(QLocale::system().timeFormat(QLocale::ShortFormat)).toStdString();
}

} // namespace sifter
