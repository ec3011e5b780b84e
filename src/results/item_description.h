// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The description of a found file that its info tip and the one-row status text show:
// folder, then type and modification date or, for programs, libraries and drivers, the
// version strings and creation date, then the size.
#include <QChar>
#include <QString>

namespace sifter {

struct FoundFile;

// The description's lines joined by separator; sizes in the kilobyte style or the short
// form. A directory gets its folder line only; no record gives the empty text. For a
// ".exe", ".dll" or ".sys" name the file's version resource is read now.
QString BuildItemDescription(const FoundFile *record, QChar separator, bool kilobyteStyle);

// The info tip of a row: its description in lines, after the full name and a line feed
// when the row's label is shown cut off. Build it only when a tip is asked for.
QString ItemInfoTip(const FoundFile *record, bool labelElided);

} // namespace sifter
