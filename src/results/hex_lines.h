// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of one line of the hexadecimal dump: 16 bytes in 77 character cells, the
// offset label ("%.8xH: " of the offset's low 32 bits), the byte groups ("%.2X "), two
// blanks, and from cell 61 one cell per byte showing it as a character.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string_view>

namespace sifter {

inline constexpr int kHexLineBytes = 16;
inline constexpr int kHexLineCells = 77;
inline constexpr int kHexCharactersCell = 61;  // where the characters start, also on a short line

// Cells 0 up to the characters: the label of offset, a group per byte of bytes (at most
// 16), then two blanks. A short line has fewer groups.
QString HexLineText(std::uint64_t offset, std::string_view bytes);

// One entry per byte of bytes (at most 16), the text drawn in that byte's cell: "." for
// 0x00-0x1F and 0x7F, printable ASCII as itself. A byte above 0x7F is "." unless it
// starts a well-formed, printable, non-combining UTF-8 character that lies whole within
// the line: then its cell shows the character and the cells of the bytes that continue
// it are empty, so every byte keeps its own cell.
QStringList HexLineCharacters(std::string_view bytes);

} // namespace sifter
