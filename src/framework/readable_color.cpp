// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/readable_color.h"

#include <cmath>

namespace sifter {
namespace {

double ChannelLuminance(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * ChannelLuminance(rgb.red()) + 0.7152 * ChannelLuminance(rgb.green()) +
           0.0722 * ChannelLuminance(rgb.blue());
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor &color, const QColor &background)
{
    if (ContrastRatio(color, background) >= kMinimumTextContrast)
        return color;
    // Go toward the end of the scale that stands further from the background.
    const QColor extreme = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background)
                               ? QColor(Qt::white)
                               : QColor(Qt::black);
    const QColor hsl = color.toHsl();
    const int step = extreme == QColor(Qt::white) ? 1 : -1;
    for (int lightness = hsl.lightness() + step; lightness >= 0 && lightness <= 255; lightness += step) {
        const QColor shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
        if (ContrastRatio(shade, background) >= kMinimumTextContrast)
            return shade;
    }
    return extreme;
}

} // namespace sifter
