// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/size_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <array>

namespace sifter {
namespace {

constexpr std::uint64_t kBytesPerKB = 1024;
constexpr unsigned kUnitShift = 10;
constexpr std::array<const char *, 6> kUnitNames = {"KB", "MB", "GB", "TB", "PB", "EB"};
constexpr unsigned kSignificantDigits = 3;

QLocale UserLocale(bool grouped)
{
    QLocale locale = QLocale::system();
    // The C locale asks to omit grouping; the sizes column groups in every locale.
    locale.setNumberOptions(grouped ? locale.numberOptions() & ~QLocale::OmitGroupSeparator
                                    : locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

std::string FormatKBSize(std::uint64_t bytes)
{
    // Rounded up without bytes + 1023, which would overflow near the top of the range.
    const std::uint64_t kilobytes = bytes / kBytesPerKB + (bytes % kBytesPerKB != 0 ? 1 : 0);
    return (UserLocale(true).toString(static_cast<qulonglong>(kilobytes)) + QStringLiteral(" KB")).toStdString();
}

std::string FormatByteSize(std::uint64_t bytes)
{
    const QLocale locale = UserLocale(false);
    if (bytes < kBytesPerKB) {
        // Two texts rather than a plural form: the number is the locale's, not translate()'s.
        const QString unit = bytes == 1 ? QCoreApplication::translate("SizeText", " byte")
                                        : QCoreApplication::translate("SizeText", " bytes");
        return (locale.toString(static_cast<qulonglong>(bytes)) + unit).toStdString();
    }
    std::size_t unitIndex = 0;
    unsigned shift = kUnitShift;
    while (unitIndex + 1 < kUnitNames.size() && (bytes >> (shift + kUnitShift)) != 0) {
        ++unitIndex;
        shift += kUnitShift;
    }
    const std::uint64_t whole = bytes >> shift;
    std::uint64_t remainder = bytes & ((std::uint64_t{1} << shift) - 1);
    // Digits after the point to reach three significant ones (none from 100 up).
    int decimals = 0;
    for (std::uint64_t magnitude = whole; magnitude < 100 && decimals < int(kSignificantDigits) - 1; magnitude *= 10)
        ++decimals;
    // Each digit by long division, so the shown value is truncated, never rounded up;
    // remainder < 2^60, so remainder * 10 stays within 64 bits.
    std::uint64_t scaled = whole;
    for (int i = 0; i < decimals; ++i) {
        remainder *= 10;
        scaled = scaled * 10 + (remainder >> shift);
        remainder &= (std::uint64_t{1} << shift) - 1;
    }
    double divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    // scaled is below 1,024, so the division is within rounding of the exact value and
    // printing it to `decimals` places gives back exactly these digits, in the locale's
    // own digits and decimal point.
    const QString number = locale.toString(static_cast<double>(scaled) / divisor, 'f', decimals);
    return (number + QLatin1Char(' ') + QLatin1String(kUnitNames[unitIndex])).toStdString();
}

} // namespace sifter
