// SPDX-License-Identifier: GPL-3.0-or-later
// The contrast ratio of two colours and the readable shade of a colour on a background.
#include "framework/readable_color.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(ReadableColor, ContrastRatioGivesTheReferenceValues)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::white, Qt::black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(QColor(90, 20, 200), QColor(90, 20, 200)), 1.0);
    // The commonly quoted boundary greys on white: #767676 passes at 4.54, #777777 fails at 4.48.
    EXPECT_NEAR(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
}

TEST(ReadableColor, OnADarkBackgroundALinkBlueTurnsLighterAndKeepsItsHue)
{
    const QColor link(42, 130, 218);
    const QColor window(53, 53, 53);
    ASSERT_LT(ContrastRatio(link, window), kMinimumTextContrast);
    const QColor shown = ReadableOn(link, window);
    EXPECT_GE(ContrastRatio(shown, window), kMinimumTextContrast);
    EXPECT_GT(shown.toHsl().lightness(), link.toHsl().lightness());
    EXPECT_NEAR(shown.toHsl().hslHue(), link.toHsl().hslHue(), 2);
    // The nearest shade: one step less light would not read.
    const QColor hsl = shown.toHsl();
    const QColor darker = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), hsl.lightness() - 1);
    EXPECT_LT(ContrastRatio(darker, window), kMinimumTextContrast);
}

} // namespace
} // namespace sifter
