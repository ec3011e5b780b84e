// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tinted_icon.h"

#include <QImage>

namespace sifter {
namespace {

// Below this lightness (0..255) a pixel belongs to the symbol, above to its highlight.
constexpr int kDarkLightness = 128;

} // namespace

QPixmap TintedPixmap(const QIcon &icon, QSize size, qreal devicePixelRatio, const QColor &color)
{
    QImage image = icon.pixmap(size, devicePixelRatio).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) != 0 && qGray(pixel) < kDarkLightness)
                line[x] = qRgba(color.red(), color.green(), color.blue(), qAlpha(pixel));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace sifter
