// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/preview_content.h"

#include "fileops/file_command_guard.h"
#include "framework/local_text.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "fs/file_reader.h"
#include "res/resource_ids.h"
#include "results/hex_lines.h"
#include "search/content_words.h"
#include "search/found_file.h"
#include "search/match_lines.h"
#include "stores/file_texts.h"

#include <QLocale>

namespace sifter {
namespace {

// A look at a file's start, when its content did not match: enough to know it.
constexpr std::size_t kFirstLinesShown = 40;
constexpr std::size_t kPreviewLineBytes = 1024;
constexpr int kTabBlanks = 4;

PreviewLine Note(const QString &text)
{
    PreviewLine line;
    line.text = text;
    return line;
}

PreviewLine Gap()
{
    PreviewLine line;
    line.kind = PreviewLineKind::Gap;
    line.text = QStringLiteral("--");
    return line;
}

QString Shown(std::string_view bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QLatin1Char('\t'), QString(kTabBlanks, QLatin1Char(' ')));
    return VisibleControls(text);
}

PreviewLine LineOf(const MatchLine &match)
{
    PreviewLine line;
    line.kind = match.marks.empty() ? PreviewLineKind::Context : PreviewLineKind::Match;
    line.head = match.number != 0 ? QString::number(match.number) : QStringLiteral("@%1").arg(match.offset);
    line.cutBefore = match.cutBefore;
    line.offset = match.matchOffset >= 0 ? match.matchOffset : match.offset;
    std::size_t at = 0;
    for (const LineMark &mark : match.marks) {
        line.text += Shown(std::string_view(match.text).substr(at, mark.begin - at));
        const QString marked = Shown(std::string_view(match.text).substr(mark.begin, mark.length));
        line.marks.append({static_cast<int>(line.text.size()), static_cast<int>(marked.size())});
        line.text += marked;
        at = mark.begin + mark.length;
    }
    line.text += Shown(std::string_view(match.text).substr(at));
    if (match.cutAfter)
        line.text += QStringLiteral("…");
    if (!match.marks.empty() && match.form != ContentForm::Typed) {
        line.noteStart = static_cast<int>(line.text.size());
        line.text += QStringLiteral("   ") + LoadResString(match.form == ContentForm::Utf16Le ? str::kPreviewUtf16 : str::kPreviewUtf8);
    }
    return line;
}

void AddHexLines(const HexStretch &stretch, std::vector<PreviewLine> &lines)
{
    for (std::size_t row = 0; row < stretch.bytes.size(); row += kHexLineBytes) {
        const std::string_view bytes = std::string_view(stretch.bytes).substr(row, kHexLineBytes);
        const auto rowOffset = static_cast<std::uint64_t>(stretch.offset) + row;
        PreviewLine line;
        line.kind = PreviewLineKind::Hex;
        line.offset = static_cast<std::int64_t>(rowOffset);
        QString text = HexLineText(rowOffset, bytes).leftJustified(kHexCharactersCell, QLatin1Char(' '));
        // The label alone, without the two blanks that end the groups.
        const int groupsStart = static_cast<int>(HexLineText(rowOffset, {}).size()) - 2;
        const QStringList cells = HexLineCharacters(bytes);
        std::vector<int> cellStart;
        for (const QString &cell : cells) {
            cellStart.push_back(static_cast<int>(text.size()));
            text += cell.isEmpty() ? QStringLiteral(" ") : cell;
        }
        for (const LineMark &mark : stretch.marks) {
            const std::size_t from = std::max(mark.begin, row);
            const std::size_t to = std::min(mark.begin + mark.length, row + bytes.size());
            if (from >= to)
                continue;
            const int first = static_cast<int>(from - row);
            const int count = static_cast<int>(to - from);
            // "XX " per byte: the mark covers the digits, not the blank after the last.
            line.marks.append({groupsStart + 3 * first, 3 * count - 1});
            line.marks.append({cellStart[first], cellStart[first + count - 1] + 1 - cellStart[first]});
            if (line.offset == static_cast<std::int64_t>(rowOffset))
                line.offset = static_cast<std::int64_t>(rowOffset + from - row);
        }
        line.text = text;
        lines.push_back(std::move(line));
    }
}

QString MatchesHeader(const FileMatches &matches)
{
    const QString count = QLocale().toString(static_cast<qlonglong>(matches.matchCount));
    const QString scanned = FromLocalText(FormatFileSize(kMatchScanBytes, false));
    const bool one = matches.matchCount == 1;
    QString header = matches.binary && !matches.stretches.empty()
                         ? (one ? LoadResString(str::kPreviewOneBinaryMatch) : FormatResString(str::kPreviewBinary, count))
                     : matches.complete ? (one ? LoadResString(str::kPreviewOneMatch) : FormatResString(str::kPreviewMatches, count))
                     : one              ? FormatResString(str::kPreviewOneMatchPartly, scanned)
                                        : LoadResString(str::kPreviewMatchesPartly).arg(count, scanned);
    if (matches.movedMatch)
        header += QStringLiteral("; ") + LoadResString(str::kPreviewChanged);
    if (!matches.numbered && !matches.binary)
        header += QStringLiteral("; ") + LoadResString(str::kPreviewOffsets);
    return header;
}

PreviewContent ContentMatches(FileReader &file, const PreviewRequest &request, const ContentMatcher &matcher,
                              const std::function<bool()> &keepGoing)
{
    PreviewContent content;
    FileMatches matches;
    MatchLinesOptions options;
    options.lineBytes = kPreviewLineBytes;
    if (!FindMatchLines(file, matcher, request.matchOffset, options, matches, keepGoing)) {
        if (!keepGoing || keepGoing())
            content.lines.push_back(Note(FormatResString(str::kPreviewUnreadable, request.name)));
        return content;
    }
    if (matches.matchCount == 0) {
        content.lines.push_back(Note(LoadResString(str::kPreviewNoLongerMatches)));
        return content;
    }
    content.header = MatchesHeader(matches);
    for (const HexStretch &stretch : matches.stretches) {
        if (!content.lines.empty())
            content.lines.push_back(Gap());
        AddHexLines(stretch, content.lines);
    }
    // The lines after the byte stretches (those found in the UTF-16 form) stand apart.
    bool afterStretches = !content.lines.empty();
    for (const MatchLine &match : matches.lines) {
        if (match.gapBefore || afterStretches)
            content.lines.push_back(Gap());
        afterStretches = false;
        content.lines.push_back(LineOf(match));
    }
    if (matches.moreLines > 0)
        content.lines.push_back(Note(FormatResString(str::kPreviewMore, QLocale().toString(static_cast<qlonglong>(matches.moreLines)))));
    return content;
}

} // namespace

PreviewRequest PreviewRequestOf(const FoundFile &record, const SearchCriteria &criteria,
                                const std::vector<std::string> &searchedFolders)
{
    PreviewRequest request;
    request.path = record.Path();
    request.name = ShownText(FromLocalText(record.Name()));
    request.matchOffset = record.matchOffset;
    request.folder = (record.attributes & kAttributeFolder) != 0;
    request.refused = FileCommandFault(record, searchedFolders) != RecordFault::kNone;
    request.facts = LoadResString(str::kPreviewFileFacts)
                        .arg(ShownText(FromLocalText(record.TypeName())), FromLocalText(FormatFileSize(record.size, false)),
                             FromLocalText(FormatFileTime(record.lastWriteTime, true)),
                             FromLocalText(FormatFileTime(record.creationTime, true)));
    request.criteria = criteria;
    return request;
}

PreviewContent MakePreviewContent(const PreviewRequest &request, const std::function<bool()> &keepGoing)
{
    PreviewContent content;
    if (request.refused) {
        content.lines.push_back(Note(LoadResString(str::kPreviewRefused)));
        return content;
    }
    if (request.folder) {
        content.lines.push_back(Note(FormatResString(str::kPreviewFolder, request.name)));
        return content;
    }
    FileReader file;
    if (!file.Open(request.path)) {
        content.lines.push_back(Note(FormatResString(str::kPreviewUnreadable, request.name)));
        return content;
    }
    const std::unique_ptr<ContentMatcher> matcher =
        request.criteria.wordMode == kWordModeWithout ? nullptr : MatcherForCriteria(request.criteria);
    if (matcher)
        return ContentMatches(file, request, *matcher, keepGoing);

    std::vector<MatchLine> first;
    if (!ReadFirstLines(file, kFirstLinesShown, kPreviewLineBytes, first)) {
        content.lines.push_back(Note(request.facts));
        return content;
    }
    content.header = FormatResString(str::kPreviewFirstLines, request.name);
    for (const MatchLine &line : first)
        content.lines.push_back(LineOf(line));
    return content;
}

QString PreviewLinesText(const std::vector<const PreviewLine *> &lines)
{
    QString text;
    for (const PreviewLine *line : lines) {
        if (!line->head.isEmpty())
            text += line->head + QStringLiteral(": ");
        text += line->noteStart >= 0 ? line->text.left(line->noteStart) : line->text;
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace sifter
