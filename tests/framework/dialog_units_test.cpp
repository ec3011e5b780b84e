// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units: rounding as the dialog manager rounds, edges converted rather than sizes.
#include "framework/dialog_units.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(5, 7, 4), 9);   // 8.75
    EXPECT_EQ(MulDiv(2, 3, 4), 2);   // 1.5
    EXPECT_EQ(MulDiv(1, 3, 4), 1);   // 0.75
    EXPECT_EQ(MulDiv(1, 1, 4), 0);   // 0.25
    EXPECT_EQ(MulDiv(-2, 3, 4), -2); // -1.5
    EXPECT_EQ(MulDiv(2, 3, -4), -2);
    EXPECT_EQ(MulDiv(7, 0, 4), 0);
    EXPECT_EQ(MulDiv(7, 3, 0), 0);
}

TEST(MulDiv, DoesNotOverflowOnLargeProducts)
{
    EXPECT_EQ(MulDiv(2000000000, 4, 8), 1000000000);
}

TEST(DialogUnits, ConvertsWithTheBaseUnits)
{
    const DialogUnits units(6, 13); // an average letter of 6 pixels, lines of 13
    EXPECT_EQ(units.ToPixelsX(4), 6);
    EXPECT_EQ(units.ToPixelsY(8), 13);
    EXPECT_EQ(units.ToPixels(199, 138), QSize(MulDiv(199, 6, 4), MulDiv(138, 13, 8)));
}

TEST(DialogUnits, RectanglesConvertTheirEdgesSoNeighboursStayFlush)
{
    const DialogUnits units(7, 15);
    // Two controls side by side at x 5..57 and 57..107.
    const QRect left = units.ToPixels(5, 5, 52, 14);
    const QRect right = units.ToPixels(57, 5, 50, 14);
    EXPECT_EQ(left.x() + left.width(), right.x());
    EXPECT_EQ(left.x(), MulDiv(5, 7, 4));
    EXPECT_EQ(right.x() + right.width(), MulDiv(107, 7, 4));
    EXPECT_EQ(left.height(), MulDiv(19, 15, 8) - MulDiv(5, 15, 8));
}

} // namespace
} // namespace sifter
