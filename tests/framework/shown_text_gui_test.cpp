// SPDX-License-Identifier: GPL-3.0-or-later
// Texts from outside made fit for showing: bounded with their ends kept and whole
// characters, control characters as marks. (The views' tests show the eliding.)
#include "framework/shown_text.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

constexpr QChar kEllipsis(0x2026);

TEST(ShownText, BoundedTextKeepsShortTextsAndCutsLongOnesInTheMiddle)
{
    EXPECT_EQ(BoundedText(QStringLiteral("abcdef"), 6), QStringLiteral("abcdef"));
    EXPECT_EQ(BoundedText(QStringLiteral("abcdefg"), 6), QStringLiteral("abc") + kEllipsis + QStringLiteral("fg"));
    const QString huge = QStringLiteral("start") + QString(1 << 20, QLatin1Char('x')) + QStringLiteral("end");
    const QString bounded = BoundedText(huge);
    EXPECT_EQ(bounded.size(), kShownTextLimit);
    EXPECT_TRUE(bounded.startsWith(QStringLiteral("start")) && bounded.endsWith(QStringLiteral("end")));
}

TEST(ShownText, BoundedTextNeverSplitsASurrogatePair)
{
    const QString clef = QString::fromUcs4(U"\U0001D11E"); // two UTF-16 units
    const QString text = QString(clef).repeated(10);
    for (qsizetype limit = 3; limit < text.size(); ++limit) {
        const QString bounded = BoundedText(text, limit);
        EXPECT_LE(bounded.size(), limit);
        for (qsizetype i = 0; i < bounded.size(); ++i) {
            if (bounded.at(i).isHighSurrogate()) {
                EXPECT_TRUE(i + 1 < bounded.size() && bounded.at(i + 1).isLowSurrogate()) << limit;
            }
            if (bounded.at(i).isLowSurrogate()) {
                EXPECT_TRUE(i > 0 && bounded.at(i - 1).isHighSurrogate()) << limit;
            }
        }
    }
}

TEST(ShownText, ControlCharactersBecomeVisibleMarksAndNothingElseChanges)
{
    EXPECT_EQ(VisibleControls(QStringLiteral("a\rb\nc\td") + QChar(0x7F)), QStringLiteral("a?b?c?d?"));
    EXPECT_EQ(VisibleControls(QString(QChar(0)) + QChar(0x85) + QChar(0x2028) + QChar(0x2029)), QStringLiteral("????"));
    const QString plain = QString::fromUtf8("Grüße – 日本 \U0001F600 ?");
    EXPECT_EQ(VisibleControls(plain), plain);
}

} // namespace
} // namespace sifter
