// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text colours that stay readable on the palette in use: the contrast ratio of WCAG 2.x and
// a colour moved along its own lightness until its text reaches that contrast.
#include <QColor>

namespace sifter {

// Normal text needs this contrast against its background (WCAG 2.x, level AA).
inline constexpr double kMinimumTextContrast = 4.5;

// The relative luminance of an opaque colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor &color);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor &a, const QColor &b);

// color itself when it reaches kMinimumTextContrast on background; otherwise the nearest
// lighter (on a dark background) or darker (on a light one) colour of the same hue and
// saturation that does, or white or black when none of them does.
QColor ReadableOn(const QColor &color, const QColor &background);

} // namespace sifter
