// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts from outside the program (file names, folders, version strings) made fit for Qt's
// text layout: bounded in length before Qt measures them, elided in the middle to a width,
// control characters shown as visible marks. The one place that cuts such texts for showing.
#include <QString>

class QFont;
class QFontMetrics;

namespace sifter {

// More characters than any line of any screen shows, even of the narrowest glyphs; Qt lays
// out a longer text slowly (seconds for a megabyte) and shows no more of it.
inline constexpr qsizetype kShownTextLimit = 4096;

// text when it has at most limit characters (limit >= 3); else its start, "…" and its end,
// limit characters in all, no surrogate pair split.
QString BoundedText(const QString &text, qsizetype limit = kShownTextLimit);

// text with every control character (C0, DEL, C1) and line or paragraph separator as "?",
// as a terminal lists such names: the desktop's usual fonts have no control pictures
// (U+2400...), and a box for a missing glyph would read as a broken font. Nothing else changes.
QString VisibleControls(const QString &text);

// A name or folder as a cell, tip or status text shows it: bounded, controls visible.
QString ShownText(const QString &text);

// text elided in the middle to width pixels of metrics' font (its start and end stay);
// Qt measures no more than the bounded text.
QString ElideMiddle(const QString &text, const QFontMetrics &metrics, int width);

// text for a word-wrapping label at most width pixels wide in font (a tip): a line (lines
// end at "\n") the label can wrap to that width stays whole; a line with a run it cannot
// wrap, which the label would show cut off, is elided in the middle to width instead.
QString ElideUnwrappableLines(const QString &text, const QFont &font, int width);

} // namespace sifter
