// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Controls placed by hand, in coordinates that run left to right ("logical"), put where they
// belong in a parent laid out right to left: mirrored within the parent's width, x' = width -
// x - w. Qt mirrors its layouts but never a geometry set by hand; left to right nothing moves.
#include <QRect>

class QWidget;

namespace sifter {

// Where logical goes in a parent of that width and direction (also the way back: mirroring
// twice gives the rectangle again).
QRect VisualRect(const QRect &logical, int width, bool rightToLeft);

// The widget's geometry read, and set, as if its parent ran left to right (its parent's
// present width; a widget without a parent keeps its geometry).
QRect LogicalGeometry(const QWidget &widget);
void SetLogicalGeometry(QWidget &widget, const QRect &logical);

// Right to left, moves each child widget of parent by the change of the parent's width since
// laidOutWidth (the width the children were last mirrored in), so that their logical places
// stay; laidOutWidth becomes the present width. Called before a resized parent places its
// children again. Left to right it only updates laidOutWidth.
void KeepLogicalPlaces(QWidget &parent, int &laidOutWidth);

} // namespace sifter
