// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/match_lines.h"

#include "search/byte_search.h"
#include "search/match_scan.h"
#include "text/code_page.h"
#include "text/utf8.h"

#include <algorithm>
#include <limits>

namespace sifter {
namespace {

// The share of a kept line that comes before its first match, so the match is in view.
constexpr std::size_t kLeadShare = 4;
constexpr std::size_t kLongestUtf8 = 4;
// A stretch of a binary file never grows past this many bytes around one match.
constexpr std::int64_t kMaxStretchBytes = 1024;

bool ReadAt(FileReader &file, std::int64_t offset, std::size_t size, std::string &out)
{
    out.clear();
    if (!file.Seek(offset))
        return false;
    out.resize(size);
    const std::int64_t got = file.Read(out.data(), size);
    out.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return got >= 0;
}

bool AnyFormAt(FileReader &file, const std::vector<ContentFormBytes> &forms, std::int64_t offset)
{
    std::string bytes;
    for (const ContentFormBytes &form : forms) {
        if (ReadAt(file, offset, form.bytes.size(), bytes) && bytes == form.bytes)
            return true;
    }
    return false;
}

// Bytes to drop at the front so that text starts on a character: continuation bytes.
std::size_t CutCharacterFront(std::string_view text)
{
    std::size_t skip = 0;
    while (skip < text.size() && skip < kLongestUtf8 - 1 && IsUtf8Continuation(static_cast<unsigned char>(text[skip])))
        ++skip;
    return skip;
}

// Length of text without a character cut off at its end.
std::size_t CutCharacterBack(std::string_view text)
{
    for (std::size_t back = 1; back <= std::min(kLongestUtf8, text.size()); ++back) {
        const std::size_t pos = text.size() - back;
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (IsUtf8Continuation(byte))
            continue;
        const Utf8Sequence sequence = DecodeUtf8(text, pos);
        return !sequence.valid && byte >= 0xC2 && sequence.length == 1 ? pos : text.size();
    }
    return text.size();
}

void MergeMarks(std::vector<LineMark> &marks)
{
    std::sort(marks.begin(), marks.end(), [](const LineMark &a, const LineMark &b) { return a.begin < b.begin; });
    std::vector<LineMark> merged;
    for (const LineMark &mark : marks) {
        if (!merged.empty() && mark.begin <= merged.back().begin + merged.back().length) {
            LineMark &last = merged.back();
            last.length = std::max(last.begin + last.length, mark.begin + mark.length) - last.begin;
        } else {
            merged.push_back(mark);
        }
    }
    marks = std::move(merged);
}

MatchLine TextOfSpan(FileReader &file, const LineSpan &span, std::size_t lineBytes)
{
    MatchLine line;
    line.number = span.number;
    line.offset = span.start;
    line.gapBefore = span.gapBefore;
    std::int64_t begin = span.start;
    if (!span.occurrences.empty()) {
        line.matchOffset = span.occurrences.front().offset;
        line.form = span.occurrences.front().form;
        const auto lead = static_cast<std::int64_t>(lineBytes / kLeadShare);
        begin = std::max(span.start, line.matchOffset - lead);
    }
    const std::int64_t end = std::min(span.end, begin + static_cast<std::int64_t>(lineBytes));
    // A file that shrank since the scan reads short; the marks are clipped to what came.
    ReadAt(file, begin, static_cast<std::size_t>(std::max<std::int64_t>(0, end - begin)), line.text);
    line.cutBefore = begin > span.start || !span.startKnown;
    line.cutAfter = end < span.end;
    if (line.cutBefore) {
        const std::size_t skip = CutCharacterFront(line.text);
        line.text.erase(0, skip);
        begin += static_cast<std::int64_t>(skip);
    }
    if (line.cutAfter)
        line.text.resize(CutCharacterBack(line.text));
    const std::int64_t textEnd = begin + static_cast<std::int64_t>(line.text.size());
    for (const FormOccurrence &occurrence : span.occurrences) {
        const std::int64_t from = std::max(occurrence.offset, begin);
        const std::int64_t to = std::min(occurrence.offset + static_cast<std::int64_t>(occurrence.length), textEnd);
        if (to > from)
            line.marks.push_back(LineMark{static_cast<std::size_t>(from - begin), static_cast<std::size_t>(to - from)});
    }
    MergeMarks(line.marks);
    return line;
}

bool IsUnitBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r';
}

std::string Utf8OfUnits(const std::vector<char16_t> &units, std::size_t from, std::size_t to)
{
    std::string text;
    if (to > from)
        Utf16ToUtf8(std::u16string_view(units.data() + from, to - from), text, std::numeric_limits<std::size_t>::max());
    return text;
}

// The UTF-16 little-endian line around an occurrence of a UTF-16 form, as UTF-8; merged
// into an earlier line of the same start.
void AddWideLine(FileReader &file, const FormOccurrence &occurrence, std::size_t lineBytes, std::vector<MatchLine> &lines)
{
    const std::int64_t backUnits = std::min<std::int64_t>(static_cast<std::int64_t>(lineBytes / 2), occurrence.offset / 2);
    const std::int64_t from = occurrence.offset - 2 * backUnits;
    const std::size_t wanted = static_cast<std::size_t>(2 * backUnits) + occurrence.length + lineBytes;
    std::string bytes;
    if (!ReadAt(file, from, wanted, bytes) || bytes.size() < static_cast<std::size_t>(2 * backUnits) + occurrence.length)
        return; // gone since the scan
    std::vector<char16_t> units(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    const auto match = static_cast<std::size_t>(backUnits);
    const std::size_t matchEnd = match + occurrence.length / 2;
    std::size_t start = match;
    while (start > 0 && !IsUnitBreak(units[start - 1]))
        --start;
    std::size_t end = matchEnd;
    while (end < units.size() && !IsUnitBreak(units[end]))
        ++end;

    MatchLine line;
    line.offset = from + 2 * static_cast<std::int64_t>(start);
    line.matchOffset = occurrence.offset;
    line.form = ContentForm::Utf16Le;
    line.cutBefore = start == 0 && from > 0;
    line.cutAfter = end == units.size() && bytes.size() == wanted;
    const std::string before = Utf8OfUnits(units, start, match);
    const std::string word = Utf8OfUnits(units, match, matchEnd);
    line.text = before + word + Utf8OfUnits(units, matchEnd, end);
    const LineMark mark{before.size(), word.size()};
    for (MatchLine &known : lines) {
        if (known.offset == line.offset) {
            known.marks.push_back(mark);
            MergeMarks(known.marks);
            return;
        }
    }
    line.marks.push_back(mark);
    lines.push_back(std::move(line));
}

void AddHexStretches(FileReader &file, const std::vector<FormOccurrence> &occurrences, std::vector<HexStretch> &out)
{
    struct Pending {
        std::int64_t begin = 0;
        std::int64_t end = 0;
        std::vector<FormOccurrence> marks;
    };
    std::vector<Pending> pending;
    for (const FormOccurrence &occurrence : occurrences) {
        const std::int64_t matchEnd = occurrence.offset + static_cast<std::int64_t>(occurrence.length);
        const std::int64_t begin = std::max<std::int64_t>(0, (occurrence.offset / kHexRowBytes - 1) * kHexRowBytes);
        const std::int64_t end = std::min(begin + kMaxStretchBytes, ((matchEnd + kHexRowBytes - 1) / kHexRowBytes + 1) * kHexRowBytes);
        if (!pending.empty() && begin <= pending.back().end)
            pending.back().end = std::max(pending.back().end, end);
        else
            pending.push_back(Pending{begin, end, {}});
        pending.back().marks.push_back(occurrence);
    }
    for (const Pending &stretch : pending) {
        HexStretch hex;
        hex.offset = stretch.begin;
        ReadAt(file, stretch.begin, static_cast<std::size_t>(stretch.end - stretch.begin), hex.bytes);
        const std::int64_t shownEnd = stretch.begin + static_cast<std::int64_t>(hex.bytes.size());
        for (const FormOccurrence &occurrence : stretch.marks) {
            const std::int64_t to = std::min(occurrence.offset + static_cast<std::int64_t>(occurrence.length), shownEnd);
            if (to > occurrence.offset)
                hex.marks.push_back(LineMark{static_cast<std::size_t>(occurrence.offset - stretch.begin),
                                             static_cast<std::size_t>(to - occurrence.offset)});
        }
        MergeMarks(hex.marks);
        out.push_back(std::move(hex));
    }
}

} // namespace

bool HoldsNul(std::string_view bytes)
{
    return bytes.find('\0') != std::string_view::npos;
}

bool ReadsAsText(std::string_view bytes)
{
    std::size_t pos = CutCharacterFront(bytes);
    const std::size_t end = CutCharacterBack(bytes);
    while (pos < end) {
        const Utf8Sequence sequence = DecodeUtf8(bytes.substr(0, end), pos);
        if (!sequence.valid)
            return false;
        pos += sequence.length;
    }
    return true;
}

bool FindMatchLines(FileReader &file, const ContentMatcher &matcher, std::int64_t firstMatch,
                    const MatchLinesOptions &options, FileMatches &out, const std::function<bool()> &keepGoing)
{
    out = FileMatches{};
    if (!file.IsOpen())
        return false;
    const std::vector<ContentFormBytes> forms = matcher.FormsLookedFor();
    std::string head;
    if (!ReadAt(file, 0, kBinaryTestBytes, head))
        return false;
    out.binary = HoldsNul(head);
    // A file changed since the search: its matches are looked for from the start.
    if (firstMatch < 0 || !AnyFormAt(file, forms, firstMatch)) {
        out.movedMatch = true;
        firstMatch = 0;
    }
    MatchScanPlan plan;
    plan.start = firstMatch <= kCountedLinesBytes ? 0 : firstMatch - kMatchLeadBytes;
    plan.numbered = plan.start == 0;
    plan.context = options.context;
    plan.maxLines = options.maxLines;
    plan.lineBytes = options.lineBytes;
    MatchScan scan;
    if (!ScanForMatches(file, forms, plan, scan, keepGoing))
        return false;
    out.numbered = plan.numbered;
    out.complete = scan.complete;
    out.matchCount = scan.matchCount;

    if (!out.binary) {
        for (const LineSpan &span : scan.spans)
            out.lines.push_back(TextOfSpan(file, span, options.lineBytes));
        const auto first = std::find_if(out.lines.begin(), out.lines.end(),
                                        [](const MatchLine &line) { return line.matchOffset >= 0; });
        // Invalid text around the match: the bytes say more than a garbled line would.
        if (first != out.lines.end() && !ReadsAsText(first->text)) {
            out.binary = true;
            out.lines.clear();
        }
    }
    if (out.binary) {
        AddHexStretches(file, scan.byteForms, out.stretches);
        out.moreLines = scan.moreBytes;
    } else {
        out.moreLines = scan.moreLines;
    }
    std::vector<MatchLine> wide;
    for (const FormOccurrence &occurrence : scan.wideForms)
        AddWideLine(file, occurrence, options.lineBytes, wide);
    for (MatchLine &line : wide) {
        line.gapBefore = options.context > 0;
        out.lines.push_back(std::move(line));
    }
    std::stable_sort(out.lines.begin(), out.lines.end(),
                     [](const MatchLine &a, const MatchLine &b) { return a.offset < b.offset; });
    if (!out.lines.empty() && out.lines.front().form == ContentForm::Utf16Le)
        out.lines.front().gapBefore = false;
    out.moreLines += scan.moreWide;
    return true;
}

bool ReadFirstLines(FileReader &file, std::size_t count, std::size_t lineBytes, std::vector<MatchLine> &out)
{
    out.clear();
    std::string head;
    if (!file.IsOpen() || !ReadAt(file, 0, std::max(kBinaryTestBytes, count * lineBytes), head))
        return false;
    const bool full = head.size() == std::max(kBinaryTestBytes, count * lineBytes);
    if (HoldsNul(std::string_view(head).substr(0, kBinaryTestBytes)) || !ReadsAsText(head))
        return false;
    std::size_t pos = 0;
    std::int64_t number = 1;
    while (pos < head.size() && out.size() < count) {
        std::size_t end = head.find_first_of("\r\n", pos);
        const bool ended = end != std::string::npos;
        if (!ended)
            end = head.size();
        MatchLine line;
        line.number = number++;
        line.offset = static_cast<std::int64_t>(pos);
        line.text = head.substr(pos, std::min(end - pos, lineBytes));
        line.cutAfter = line.text.size() < end - pos || (!ended && full);
        if (line.cutAfter)
            line.text.resize(CutCharacterBack(line.text));
        out.push_back(std::move(line));
        if (!ended)
            break;
        pos = end + (head[end] == '\r' && end + 1 < head.size() && head[end + 1] == '\n' ? 2 : 1);
    }
    return true;
}

} // namespace sifter
