// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/match_scan.h"

#include "search/byte_search.h"
#include "search/match_lines.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <new>

namespace sifter {
namespace {

constexpr std::size_t kScanChunk = 64 * 1024;
// A line of nothing but matches keeps this many of them marked; the rest are counted.
constexpr std::size_t kMaxOccurrencesPerLine = 256;

// Follows the lines of the scan: which hold occurrences, and which lie close enough to
// one of them to be shown as context.
class LineTracker {
public:
    LineTracker(const MatchScanPlan &plan, MatchScan &out)
        : plan_(plan), out_(out), lineStart_(plan.start), number_(plan.numbered ? 1 : 0),
          startKnown_(plan.numbered)
    {
    }

    void Occurs(const FormOccurrence &occurrence)
    {
        ++out_.matchCount;
        if (occurrence.form == ContentForm::Utf16Le) {
            Keep(out_.wideForms, out_.moreWide, occurrence);
            return;
        }
        Keep(out_.byteForms, out_.moreBytes, occurrence);
        if (occurrences_.empty() ||
            (occurrence.offset - occurrences_.front().offset < static_cast<std::int64_t>(plan_.lineBytes) &&
             occurrences_.size() < kMaxOccurrencesPerLine))
            occurrences_.push_back(occurrence);
    }

    // The line ends at end (its break, or the end of the file); the next starts at next.
    void LineEnds(std::int64_t end, std::int64_t next)
    {
        LineSpan span{number_, lineStart_, end, startKnown_, false, {}};
        if (!occurrences_.empty()) {
            if (matchLines_ < plan_.maxLines) {
                ++matchLines_;
                for (Held &before : before_)
                    Emit(std::move(before.span), before.next);
                before_.clear();
                span.occurrences = std::move(occurrences_);
                Emit(std::move(span), next);
                after_ = plan_.context;
            } else {
                ++out_.moreLines;
            }
            occurrences_.clear();
        } else if (after_ > 0) {
            Emit(std::move(span), next);
            --after_;
        } else if (plan_.context > 0 && matchLines_ < plan_.maxLines) {
            before_.push_back(Held{std::move(span), next});
            if (before_.size() > plan_.context)
                before_.pop_front();
        }
        lineStart_ = next;
        if (number_ != 0)
            ++number_;
        startKnown_ = true;
    }

    // The file (or the scan) ends at end: the last line counts when it holds anything.
    void Finish(std::int64_t end)
    {
        if (lineStart_ < end || !occurrences_.empty())
            LineEnds(end, end);
    }

private:
    struct Held {
        LineSpan span;
        std::int64_t next = 0;
    };

    void Keep(std::vector<FormOccurrence> &list, std::int64_t &more, const FormOccurrence &occurrence)
    {
        if (list.size() < plan_.maxLines)
            list.push_back(occurrence);
        else
            ++more;
    }

    void Emit(LineSpan span, std::int64_t next)
    {
        span.gapBefore = plan_.context > 0 && emitted_ && span.start != lastNext_;
        emitted_ = true;
        lastNext_ = next;
        out_.spans.push_back(std::move(span));
    }

    const MatchScanPlan &plan_;
    MatchScan &out_;
    std::int64_t lineStart_;
    std::int64_t number_;
    bool startKnown_;
    std::vector<FormOccurrence> occurrences_; // of the line being walked
    std::deque<Held> before_;
    std::size_t after_ = 0;
    std::size_t matchLines_ = 0;
    bool emitted_ = false;
    std::int64_t lastNext_ = 0;
};

std::size_t FindLineBreak(const char *buffer, std::size_t from, std::size_t to)
{
    if (from >= to)
        return to;
    const char *end = buffer + to;
    const char *hit = std::find_if(buffer + from, end, [](char c) { return c == '\n' || c == '\r'; });
    return static_cast<std::size_t>(hit - buffer);
}

// The occurrences of every form that begin in buffer[0 .. regionEnd), by offset.
void CollectOccurrences(const std::vector<ContentFormBytes> &forms, const char *buffer, std::size_t length,
                        std::size_t regionEnd, std::int64_t bufferOffset, std::vector<FormOccurrence> &found)
{
    found.clear();
    for (const ContentFormBytes &form : forms) {
        std::size_t pos = 0;
        while (pos < regionEnd) {
            const std::int64_t hit = FindBytes(buffer + pos, length - pos, form.bytes);
            if (hit < 0)
                break;
            const std::size_t at = pos + static_cast<std::size_t>(hit);
            if (at >= regionEnd)
                break;
            found.push_back(FormOccurrence{bufferOffset + static_cast<std::int64_t>(at), form.bytes.size(), form.form});
            pos = at + 1;
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const FormOccurrence &a, const FormOccurrence &b) { return a.offset < b.offset; });
}

} // namespace

bool ScanForMatches(FileReader &file, const std::vector<ContentFormBytes> &forms, const MatchScanPlan &plan,
                    MatchScan &out, const std::function<bool()> &keepGoing)
{
    out = MatchScan{};
    if (!file.IsOpen() || !file.Seek(plan.start))
        return false;
    std::size_t longest = 0;
    for (const ContentFormBytes &form : forms)
        longest = std::max(longest, form.bytes.size());
    // Kept bytes let an occurrence straddle two reads, and a CR see the byte after it.
    const std::size_t keep = std::max<std::size_t>(longest, 2) - 1;
    const std::size_t capacity = kScanChunk + keep;
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[capacity]);
    if (!buffer)
        return false;
    char *bytes = buffer.get();

    LineTracker lines(plan, out);
    std::vector<FormOccurrence> found;
    std::int64_t bufferOffset = plan.start;
    std::size_t length = 0;
    std::size_t walkFrom = 0;
    std::int64_t readTotal = 0;
    for (;;) {
        if (keepGoing && !keepGoing())
            return false;
        std::size_t want = capacity - length;
        bool limited = false;
        if (readTotal + static_cast<std::int64_t>(want) >= kMatchScanBytes) {
            want = static_cast<std::size_t>(kMatchScanBytes - readTotal);
            limited = true;
        }
        const std::int64_t got = file.Read(bytes + length, want);
        if (got < 0)
            return false;
        length += static_cast<std::size_t>(got);
        readTotal += got;
        const bool fileEnded = static_cast<std::size_t>(got) < want;
        const bool last = fileEnded || limited;
        const std::size_t regionEnd = last ? length : length - keep;

        CollectOccurrences(forms, bytes, length, regionEnd, bufferOffset, found);
        std::size_t at = walkFrom;
        std::size_t next = 0;
        for (;;) {
            std::size_t stop = regionEnd;
            if (next < found.size())
                stop = std::max(at, static_cast<std::size_t>(found[next].offset - bufferOffset));
            const std::size_t lineBreak = FindLineBreak(bytes, at, stop);
            if (lineBreak < stop) {
                const bool crlf = bytes[lineBreak] == '\r' && lineBreak + 1 < length && bytes[lineBreak + 1] == '\n';
                const std::size_t breakLength = crlf ? 2 : 1;
                lines.LineEnds(bufferOffset + static_cast<std::int64_t>(lineBreak),
                               bufferOffset + static_cast<std::int64_t>(lineBreak + breakLength));
                at = lineBreak + breakLength;
                continue;
            }
            // A CRLF split by the region's end was walked whole: at is then past stop.
            at = std::max(at, stop);
            if (next == found.size())
                break;
            lines.Occurs(found[next++]);
        }
        if (last) {
            lines.Finish(bufferOffset + static_cast<std::int64_t>(length));
            out.complete = fileEnded;
            return true;
        }
        std::memmove(bytes, bytes + regionEnd, length - regionEnd);
        bufferOffset += static_cast<std::int64_t>(regionEnd);
        length -= regionEnd;
        walkFrom = at - regionEnd;
    }
}

} // namespace sifter
