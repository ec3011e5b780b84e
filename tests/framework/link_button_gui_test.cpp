// SPDX-License-Identifier: GPL-3.0-or-later
// CLinkButton: its colours by state, fonts, icon square (and its side right to left), the
// section arrows' colour on light and dark palettes, hand pointer and clicks.
#include "framework/link_button.h"
#include "framework/command_icons.h"
#include "res/resource_ids.h"
#include "support/palette_contrast.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace sifter {
namespace {

class LinkButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 100);
        button = new CLinkButton(&window);
        button->setText(QStringLiteral("&Word Options"));
        button->setGeometry(10, 10, 160, 20);
        other = new CLinkButton(&window);
        other->setGeometry(10, 50, 160, 20);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The window gives its first button the focus; start from a button without it.
        other->setFocus();
        QApplication::processEvents();
    }

    QWidget window;
    CLinkButton *button = nullptr;
    CLinkButton *other = nullptr;
};

TEST_F(LinkButtonTest, StartsWithTheClassDefaults)
{
    EXPECT_TRUE(button->Icon().isNull());
    EXPECT_FALSE(button->Expanded());
    EXPECT_FALSE(button->Bold());
    EXPECT_FALSE(button->Underline());
    EXPECT_EQ(button->TextAlignment(), CLinkButton::kLeft);
    EXPECT_FALSE(button->Hover());
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LinkButtonTest, ColourFollowsHoverThenFocusThenNormal)
{
    const QColor link = button->palette().color(QPalette::Link);
    EXPECT_EQ(button->TextColor(), link);
    button->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(button->hasFocus());
    EXPECT_EQ(button->TextColor().hslHue(), CLinkButton::kFocusColor.hslHue());
    QTest::mouseMove(button, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_TRUE(button->Hover());
    EXPECT_EQ(button->TextColor().hslHue(), CLinkButton::kHoverColor.hslHue());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->Hover());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(button->TextColor(), link);
    button->setEnabled(false);
    EXPECT_EQ(button->TextColor(), button->palette().color(QPalette::Disabled, QPalette::WindowText));
}

// The contrast of the button's text as drawn now, in each state, under a palette.
std::vector<double> StateContrasts(CLinkButton *button, CLinkButton *other)
{
    std::vector<double> contrasts;
    contrasts.push_back(test::DrawnTextContrast(button->grab().toImage()));
    button->setFocus();
    QApplication::processEvents();
    contrasts.push_back(test::DrawnTextContrast(button->grab().toImage()));
    QTest::mouseMove(button, QPoint(20, 10));
    QApplication::processEvents();
    contrasts.push_back(test::DrawnTextContrast(button->grab().toImage()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    other->setFocus();
    QApplication::processEvents();
    return contrasts;
}

TEST_F(LinkButtonTest, EveryStateReadsOnTheLightAndTheDarkPalette)
{
    // Large enough for glyph stems to cover whole pixels in the pen's own colour.
    QFont large = window.font();
    large.setPixelSize(32);
    window.setFont(large);
    button->setGeometry(10, 10, 280, 40);
    for (const QPalette &palette : {QApplication::palette(), test::DarkPalette()}) {
        const test::ScopedAppPalette scoped(palette);
        QApplication::processEvents();
        EXPECT_EQ(test::DrawnBackground(button->grab().toImage()), palette.color(QPalette::Window));
        for (const double contrast : StateContrasts(button, other))
            EXPECT_GE(contrast, kMinimumTextContrast) << palette.color(QPalette::Window).name().toStdString();
    }
}

TEST_F(LinkButtonTest, FontIsTheParentsWithBoldAndUnderlineAsAsked)
{
    QFont parentFont = window.font();
    parentFont.setPointSize(13);
    window.setFont(parentFont);
    button->SetBold(true);
    button->SetUnderline(true);
    const QFont font = button->DrawFont();
    EXPECT_EQ(font.pointSize(), 13);
    EXPECT_EQ(font.family(), parentFont.family());
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.underline());
}

TEST_F(LinkButtonTest, AnIconTakesASquareAtTheRightEnd)
{
    EXPECT_EQ(button->TextRect(), QRect(0, 0, 160, 20));
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::black);
    button->SetIcon(QIcon(pixmap));
    EXPECT_EQ(button->TextRect(), QRect(0, 0, 140, 20));
    EXPECT_EQ(button->IconRect(), QRect(142, 2, 16, 16)); // offset (20 - 16) / 2
    const QImage shot = button->grab().toImage();
    EXPECT_EQ(shot.pixelColor(150, 10), QColor(Qt::black));
}

TEST_F(LinkButtonTest, RightToLeftTheIconTakesASquareAtTheLeftEnd)
{
    button->setLayoutDirection(Qt::RightToLeft);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::black);
    button->SetIcon(QIcon(pixmap));
    EXPECT_EQ(button->TextRect(), QRect(20, 0, 140, 20));
    EXPECT_EQ(button->IconRect(), QRect(2, 2, 16, 16));
    const QImage shot = button->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::black));
    // The text starts at the right end: drawn next to it, nothing next to the icon.
    const QColor background = test::DrawnBackground(shot);
    const auto textIn = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < shot.height(); ++y) {
                if (shot.pixelColor(x, y) != background)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(textIn(145, 160));
    EXPECT_FALSE(textIn(20, 40));
}

TEST_F(LinkButtonTest, TheSectionArrowsShowOnTheLightAndTheDarkPalette)
{
    for (const QPalette &palette : {QApplication::palette(), test::DarkPalette()}) {
        const test::ScopedAppPalette scoped(palette);
        for (const ResourceId arrow : {res::kIconCollapsed, res::kIconExpanded}) {
            button->SetIcon(SectionIcon(arrow));
            QApplication::processEvents();
            const QImage drawn = button->grab(button->IconRect()).toImage();
            EXPECT_EQ(test::DrawnBackground(drawn), palette.color(QPalette::Window));
            EXPECT_GE(test::DrawnShapeContrast(drawn), test::kMinimumGraphicsContrast)
                << arrow << " on " << palette.color(QPalette::Window).name().toStdString();
        }
    }
    // The light palette keeps the arrows black.
    QApplication::processEvents();
    EXPECT_EQ(button->IconColor(), QColor(Qt::black));
}

TEST_F(LinkButtonTest, ClicksAndItsMnemonicPressIt)
{
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    button->animateClick();
    EXPECT_TRUE(clicked.wait(1000));
    EXPECT_EQ(button->shortcut(), QKeySequence(Qt::ALT | Qt::Key_W));
}

TEST_F(LinkButtonTest, DrawsItsTextInTheStateColourAndNothingElse)
{
    window.setStyleSheet(QString());
    const QImage shot = button->grab().toImage();
    int blue = 0;
    int other_ = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (pixel.blue() > 150 && pixel.red() < 100 && pixel.green() < 100)
                ++blue;
            else if (pixel.red() > 150 && pixel.green() < 80 && pixel.blue() < 80)
                ++other_;
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(other_, 0);
}

} // namespace
} // namespace sifter
