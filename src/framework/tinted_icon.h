// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A symbol drawn in black (the section arrows) recoloured at paint time, so that it follows the
// palette's text colour: unchanged on a light palette, light on a dark one.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace sifter {

// The icon's pixmap of size (at the device pixel ratio) with its dark pixels in color, their
// transparency kept; light pixels (a highlight edge) stay as drawn.
QPixmap TintedPixmap(const QIcon &icon, QSize size, qreal devicePixelRatio, const QColor &color);

} // namespace sifter
