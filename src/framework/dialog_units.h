// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog units: a horizontal unit is a quarter of the dialog font's average character
// width, a vertical unit an eighth of its height, so layouts written in them follow the
// font. The dialog font is the desktop's interface font (the templates' "Tahoma" 8 has no
// counterpart on the Linux desktop).
#include <QFont>
#include <QRect>
#include <QSize>

namespace sifter {

class DialogUnits {
public:
    // Units of the font: average width of "A".."Z" and "a".."z", rounded; line height.
    explicit DialogUnits(const QFont &font);
    // Units from given base values (pixels per 4 horizontal and 8 vertical units).
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

    // Pixels of x horizontal / y vertical units, rounded to the nearest pixel.
    int ToPixelsX(int x) const;
    int ToPixelsY(int y) const;
    // A rectangle's edges converted (its size is the difference of the converted edges).
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

private:
    int baseX_;
    int baseY_;
};

// a * b / c rounded to the nearest integer (halves away from zero); 0 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace sifter
