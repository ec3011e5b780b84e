// SPDX-License-Identifier: GPL-3.0-or-later
// The title banner of status pane 1: four pieces in alternating colours, centred with a
// division that truncates toward zero, drawn in the pane.
#include "frame/banner.h"
#include "frame/banner_status_bar.h"
#include "support/palette_contrast.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <gtest/gtest.h>

namespace sifter {
namespace {

const QString kTitle = QStringLiteral("Norvane Search");

TEST(Banner, SplitsTheTitleIntoFourAlternatingPieces)
{
    const QFontMetrics metrics(QApplication::font());
    const auto pieces = LayoutBanner(kTitle, metrics, QRect(0, 3, 300, 20), QApplication::palette());
    EXPECT_EQ(pieces[0].text, QStringLiteral("Norv"));
    EXPECT_EQ(pieces[1].text, QStringLiteral("a"));
    EXPECT_EQ(pieces[2].text, QStringLiteral("ne "));
    EXPECT_EQ(pieces[3].text, QStringLiteral("Search"));
    // The light palette's link blue reads as it is; the red keeps its hue.
    EXPECT_EQ(pieces[0].color, QApplication::palette().color(QPalette::Link));
    EXPECT_EQ(pieces[1].color.hslHue(), kBannerRed.hslHue());
    EXPECT_EQ(pieces[2].color, pieces[0].color);
    EXPECT_EQ(pieces[3].color, pieces[1].color);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].rect.top(), 3);
        EXPECT_EQ(pieces[i].rect.height(), metrics.height());
        EXPECT_EQ(pieces[i].rect.width(), metrics.horizontalAdvance(pieces[i].text));
        if (i > 0) {
            EXPECT_EQ(pieces[i].rect.left(), pieces[i - 1].rect.left() + pieces[i - 1].rect.width());
        }
    }
}

TEST(Banner, IsCentredInThePane)
{
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(kTitle);
    const QRect item(10, 0, width + 41, 18);
    EXPECT_EQ(LayoutBanner(kTitle, metrics, item, QApplication::palette())[0].rect.left(), 10 + 20); // 41 / 2 truncated
}

TEST(Banner, ANarrowPaneMovesTheStartLeftByHalfTheExcessTruncatedTowardZero)
{
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(kTitle);
    // An odd excess shows the truncation: floor would go one pixel further left.
    const int excess = (width % 2 == 0) ? 21 : 20;
    const QRect item(5, 0, width - excess, 18);
    const int expected = 5 - (width - item.width()) / 2;
    ASSERT_EQ((width - item.width()) % 2, 1);
    EXPECT_EQ(LayoutBanner(kTitle, metrics, item, QApplication::palette())[0].rect.left(), expected);
    EXPECT_LT(LayoutBanner(kTitle, metrics, item, QApplication::palette())[0].rect.left(), item.left());
}

TEST(Banner, ATitleOfOneShortWordStillGivesFourPieces)
{
    const QFontMetrics metrics(QApplication::font());
    const auto pieces = LayoutBanner(QStringLiteral("Abc"), metrics, QRect(0, 0, 100, 20), QApplication::palette());
    EXPECT_EQ(pieces[0].text, QStringLiteral("Abc"));
    EXPECT_TRUE(pieces[1].text.isEmpty());
    EXPECT_TRUE(pieces[2].text.isEmpty());
    EXPECT_TRUE(pieces[3].text.isEmpty());
}

// Counts pixels close to a colour.
int CountNear(const QImage &image, const QColor &color, const QRect &area)
{
    int count = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) < 40 && std::abs(pixel.green() - color.green()) < 40 &&
                std::abs(pixel.blue() - color.blue()) < 40)
                ++count;
        }
    }
    return count;
}

TEST(Banner, DrawsRedOnlyInTheRedPiecesAndBlueInTheBlueOnes)
{
    QImage image(240, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect item(0, 2, 240, 20);
    {
        QPainter painter(&image);
        painter.setFont(QApplication::font());
        DrawBanner(painter, item, kTitle, QApplication::palette());
    }
    const auto pieces = LayoutBanner(kTitle, QFontMetrics(QApplication::font()), item, QApplication::palette());
    const QColor blue = pieces[0].color;
    const QColor red = pieces[1].color;
    EXPECT_GT(CountNear(image, red, pieces[1].rect), 0);
    EXPECT_GT(CountNear(image, red, pieces[3].rect), 0);
    EXPECT_GT(CountNear(image, blue, pieces[0].rect), 0);
    EXPECT_GT(CountNear(image, blue, pieces[2].rect), 0);
    EXPECT_EQ(CountNear(image, red, pieces[0].rect.adjusted(0, 0, -1, 0)), 0);
    EXPECT_EQ(CountNear(image, blue, pieces[3].rect.adjusted(1, 0, 0, 0)), 0);
    // Nothing is drawn outside the title.
    EXPECT_EQ(CountNear(image, red, QRect(0, 0, pieces[0].rect.left(), 24)), 0);
}

TEST(BannerStatusBar, BannerPaneIsAsWideAsTheTitleAndPaintsIt)
{
    BannerStatusBar bar;
    bar.resize(600, 24);
    bar.show();
    QApplication::processEvents();
    BannerPane *pane = bar.Banner();
    const QFontMetrics metrics(pane->font());
    EXPECT_EQ(pane->Title(), kTitle);
    EXPECT_EQ(pane->ItemRect().width(), metrics.horizontalAdvance(kTitle));
    EXPECT_EQ(pane->width(), pane->sizeHint().width());
    EXPECT_GT(bar.MessagePane()->width(), pane->width());
    const QImage shot = pane->grab().toImage();
    const auto pieces = LayoutBanner(kTitle, metrics, pane->ItemRect(), pane->palette());
    EXPECT_GT(CountNear(shot, pieces[1].color, shot.rect()), 0);
    EXPECT_GT(CountNear(shot, pieces[0].color, shot.rect()), 0);
    bar.SetMessageText(QStringLiteral("Ready"));
    EXPECT_EQ(bar.MessageText(), QStringLiteral("Ready"));
}

TEST(BannerStatusBar, EveryPieceReadsOnTheLightAndTheDarkPalette)
{
    BannerStatusBar bar;
    // Large enough for glyph stems to cover whole pixels in the pen's own colour.
    QFont large = bar.font();
    large.setPixelSize(32);
    bar.setFont(large);
    bar.resize(900, 48);
    bar.show();
    QApplication::processEvents();
    BannerPane *pane = bar.Banner();
    for (const QPalette &palette : {QApplication::palette(), test::DarkPalette()}) {
        const test::ScopedAppPalette scoped(palette);
        QApplication::processEvents();
        const QImage shot = pane->grab().toImage();
        EXPECT_EQ(test::DrawnBackground(shot), palette.color(QPalette::Window));
        for (const BannerPiece &piece : LayoutBanner(kTitle, QFontMetrics(pane->font()), pane->ItemRect(), palette)) {
            const QImage drawn = shot.copy(piece.rect);
            EXPECT_GE(test::DrawnTextContrast(drawn), kMinimumTextContrast) << piece.text.toStdString();
        }
    }
}

TEST(BannerStatusBar, AMessageWiderThanItsPaneShowsItsStartAndEndAndTheWholeTextAsTip)
{
    BannerStatusBar bar;
    bar.resize(600, 24);
    bar.show();
    QApplication::processEvents();
    const QString text = QStringLiteral("In Folder: /home/ann/") + QString(200, QLatin1Char('x')) +
                         QStringLiteral(" Type: plain text document Size: 12 bytes");
    bar.SetMessageText(text);
    const QLabel *pane = bar.MessagePane();
    EXPECT_EQ(bar.MessageText(), text);
    EXPECT_TRUE(pane->text().startsWith(QStringLiteral("In Folder: /home/ann/")));
    EXPECT_TRUE(pane->text().endsWith(QStringLiteral("Size: 12 bytes")));
    EXPECT_LE(pane->fontMetrics().horizontalAdvance(pane->text()), pane->contentsRect().width());
    EXPECT_EQ(pane->toolTip(), text);
    // Wide enough again: the text whole, no tip.
    bar.resize(4000, 24);
    QApplication::processEvents();
    EXPECT_EQ(pane->text(), text);
    EXPECT_TRUE(pane->toolTip().isEmpty());
}

// A new message (the searched folder, several times a second) lays out neither the bar nor
// the window around it, which would move and repaint everything else; a larger font still
// makes the bar taller.
TEST(BannerStatusBar, NewMessagesLayOutNothingAroundThemButAFontStillResizesTheBar)
{
    QMainWindow window;
    auto *bar = new BannerStatusBar;
    window.setStatusBar(bar);
    window.setCentralWidget(new QWidget);
    window.resize(600, 300);
    window.show();
    QApplication::processEvents();
    struct LayoutRequests : QObject {
        int count = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::LayoutRequest;
            return false;
        }
    } requests;
    window.installEventFilter(&requests);
    bar->installEventFilter(&requests);
    for (const QString &text : {QStringLiteral("/usr"), QStringLiteral("/usr/share/doc/a-much-longer-folder-name"),
                                QStringLiteral("x")}) {
        bar->SetMessageText(text);
        QApplication::processEvents();
        EXPECT_EQ(bar->MessagePane()->text(), text);
    }
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(bar->MessagePane()->width(), bar->MessagePane()->parentWidget()->width());

    const int height = bar->height();
    QFont large = bar->font();
    large.setPixelSize(40);
    bar->setFont(large);
    QApplication::processEvents();
    EXPECT_GT(bar->height(), height);
    EXPECT_GE(bar->MessagePane()->height(), QFontMetrics(large).height());
}

} // namespace
} // namespace sifter
