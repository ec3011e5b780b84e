// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The palettes the contrast tests draw under, and the contrast of the text a widget drew,
// measured on the pixels of its picture.
#include "framework/readable_color.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPalette>

namespace sifter::test {

// A graphic that carries meaning (an arrow) needs this contrast against its background (WCAG 2.x).
inline constexpr double kMinimumGraphicsContrast = 3.0;

// The dark colours commonly given to the Fusion style by dark themes.
inline QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor disabled(127, 127, 127);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    dark.setColor(QPalette::Disabled, QPalette::Text, disabled);
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    return dark;
}

// Gives the application a palette for as long as the object lives, then the one before.
class ScopedAppPalette {
public:
    explicit ScopedAppPalette(const QPalette &palette) : old_(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~ScopedAppPalette() { QApplication::setPalette(old_); }
    ScopedAppPalette(const ScopedAppPalette &) = delete;
    ScopedAppPalette &operator=(const ScopedAppPalette &) = delete;

private:
    QPalette old_;
};

// The colour of most pixels in the image: the background the text was drawn on.
inline QColor DrawnBackground(const QImage &image)
{
    QHash<QRgb, int> counts;
    QRgb most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            if (++counts[pixel] > counts.value(most))
                most = pixel;
        }
    }
    return QColor::fromRgb(most);
}

// The contrast of the drawn text on the drawn background: the pixel that stands out most
// is one the text covers fully, so it has the pen's colour. 1 when nothing was drawn.
inline double DrawnTextContrast(const QImage &image)
{
    const QColor background = DrawnBackground(image);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, ContrastRatio(QColor::fromRgb(image.pixel(x, y)), background));
    }
    return best;
}

// The contrast of a drawn shape on the drawn background: the colour most of the other pixels
// have is the shape's fill (its edges and highlights are fewer). 1 when nothing was drawn.
inline double DrawnShapeContrast(const QImage &image)
{
    const QRgb background = DrawnBackground(image).rgb();
    QHash<QRgb, int> counts;
    QRgb most = background;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            if (pixel != background && ++counts[pixel] > counts.value(most))
                most = pixel;
        }
    }
    return ContrastRatio(QColor::fromRgb(most), QColor::fromRgb(background));
}

} // namespace sifter::test
