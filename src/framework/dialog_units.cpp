// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/dialog_units.h"

#include <QFontMetrics>

#include <cstdint>
#include <cstdlib>

namespace sifter {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(static_cast<std::int64_t>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(static_cast<std::int64_t>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::ToPixelsX(int x) const
{
    return MulDiv(x, baseX_, 4);
}

int DialogUnits::ToPixelsY(int y) const
{
    return MulDiv(y, baseY_, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const
{
    // Edges are converted, not sizes, so that neighbouring controls stay flush.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return {left, top, ToPixelsX(x + width) - left, ToPixelsY(y + height) - top};
}

QSize DialogUnits::ToPixels(int width, int height) const
{
    return {ToPixelsX(width), ToPixelsY(height)};
}

} // namespace sifter
