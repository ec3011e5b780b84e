// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the preview pane shows for one found file, made from a copy of what the row and the
// document hold (the worker thread that makes it never touches a record): the lines that
// hold its matches, marked, or its first lines, or one line saying why there is nothing.
#include "search/search_criteria.h"

#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sifter {

struct FoundFile;

struct PreviewRequest {
    std::string path;
    QString name;               // as the row shows it
    std::int64_t matchOffset = 0;
    bool folder = false;
    bool refused = false;       // the file guard refuses the row
    QString facts;              // type, size and dates, for a file shown without lines
    SearchCriteria criteria{};  // the search's; no words: a search by name only
};

enum class PreviewLineKind : std::uint8_t { Match, Context, Hex, Gap, Note };

struct PreviewLine {
    PreviewLineKind kind = PreviewLineKind::Note;
    QString head;                 // the line number, "@offset", or empty
    QString text;                 // tabs as blanks, control characters as "?"
    QList<QPair<int, int>> marks; // start and length in text
    int noteStart = -1;           // text from here is a note about the line; -1: none
    bool cutBefore = false;       // the line starts before text
    std::int64_t offset = -1;     // where the Hex View opens for this line; -1: nowhere
};

struct PreviewContent {
    QString header;
    std::vector<PreviewLine> lines;
};

// The request for a row's record under the document's criteria and searched folders.
PreviewRequest PreviewRequestOf(const FoundFile &record, const SearchCriteria &criteria,
                                const std::vector<std::string> &searchedFolders);

// Reads the file and makes the content; keepGoing is asked between reads, and false from
// it gives an empty content at once (the caller then drops it).
PreviewContent MakePreviewContent(const PreviewRequest &request, const std::function<bool()> &keepGoing);

// The lines' heads and texts as plain text, one line each ("HEAD: TEXT").
QString PreviewLinesText(const std::vector<const PreviewLine *> &lines);

} // namespace sifter
