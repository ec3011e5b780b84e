// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/hex_lines.h"

#include "text/utf8.h"

#include <QChar>

#include <algorithm>
#include <cstdio>

namespace sifter {
namespace {

bool IsControlByte(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

// A character that draws in its own place: a mark would join the cell before it, and a
// format or unassigned code point draws nothing useful.
bool DrawsOnItsOwn(char32_t codePoint)
{
    if (!QChar::isPrint(codePoint))
        return false;
    switch (QChar::category(codePoint)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return false;
    default:
        return true;
    }
}

} // namespace

QString HexLineText(std::uint64_t offset, std::string_view bytes)
{
    // 11 label cells + 3 per byte + 2 blanks, and the terminating zero.
    char text[11 + 3 * kHexLineBytes + 2 + 1];
    int length = std::snprintf(text, sizeof text, "%.8xH: ", static_cast<unsigned>(offset & 0xFFFFFFFFu));
    const std::size_t count = std::min<std::size_t>(bytes.size(), kHexLineBytes);
    for (std::size_t i = 0; i < count; ++i)
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "%.2X ",
                                static_cast<unsigned char>(bytes[i]));
    text[length++] = ' ';
    text[length++] = ' ';
    return QString::fromLatin1(text, length);
}

QStringList HexLineCharacters(std::string_view bytes)
{
    bytes = bytes.substr(0, kHexLineBytes);
    QStringList cells;
    cells.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            cells.append(IsControlByte(byte) ? QStringLiteral(".") : QString(QLatin1Char(static_cast<char>(byte))));
            ++i;
            continue;
        }
        // DecodeUtf8 sees only this line's bytes, so a character cut by the line's end is
        // not well-formed here.
        const Utf8Sequence sequence = DecodeUtf8(bytes, i);
        if (!sequence.valid || !DrawsOnItsOwn(sequence.codePoint)) {
            cells.append(QStringLiteral("."));
            ++i;
            continue;
        }
        cells.append(QString::fromUcs4(&sequence.codePoint, 1));
        for (std::size_t k = 1; k < sequence.length; ++k)
            cells.append(QString());
        i += sequence.length;
    }
    return cells;
}

} // namespace sifter
