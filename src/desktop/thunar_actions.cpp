// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/thunar_actions.h"

#include "desktop/command_quoting.h"
#include "fs/path.h"
#include "text/translation.h"
#include "text/utf8.h"

#include <QString>
#include <QXmlStreamReader>
#include <vector>

namespace sifter {
namespace {

constexpr std::string_view kRootName = "actions";
constexpr std::string_view kActionName = "action";
constexpr std::string_view kUniqueIdName = "unique-id";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewFileStart = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// Thunar fills in its own codes in the command: "%f" is the folder, quoted for the shell.
constexpr std::string_view kFolderArgument = " /f:%f";
// Where a reason names the file.
constexpr std::string_view kFileMarker = "%1";

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the pieces that are edited stand in the text, in bytes.
struct UcaLayout {
    std::vector<Span> ours;  // our <action> elements
    Span rootClose;          // "</actions>", or the whole "<actions/>" when it is empty
    bool rootEmpty = false;
};

// Turns the reader's offsets (UTF-16 units, growing) into byte offsets of the UTF-8 text.
class ByteOffsets {
public:
    ByteOffsets(const QString &document, std::size_t base) : document_(document), byte_(base), base_(base) {}

    std::size_t Of(qint64 unit)
    {
        if (unit < unit_) {
            unit_ = 0;
            byte_ = base_;
        }
        for (; unit_ < unit; ++unit_) {
            const char16_t c = document_.at(unit_).unicode();
            // A surrogate pair is four bytes, two for each half.
            byte_ += c < 0x80 ? 1 : c < 0x800 ? 2 : QChar::isSurrogate(c) ? 2 : 3;
        }
        return byte_;
    }

private:
    const QString &document_;
    qint64 unit_ = 0;
    std::size_t byte_;
    std::size_t base_;
};

QLatin1StringView Latin1(std::string_view text)
{
    return QLatin1StringView(text.data(), static_cast<qsizetype>(text.size()));
}

// The start of the tag that ends at unit: no "<" can stand inside a tag.
qint64 TagStart(const QString &document, qint64 tagEnd)
{
    const qsizetype start = document.lastIndexOf(u'<', tagEnd - 1);
    return start < 0 ? 0 : start;
}

std::optional<UcaLayout> ReadLayout(std::string_view text, std::string &error)
{
    // Every leading byte-order mark stays out of the document: the XML reader skips one at
    // its start without counting it in its offsets, which would misplace every splice.
    std::size_t base = 0;
    while (text.substr(base).starts_with(kByteOrderMark))
        base += kByteOrderMark.size();
    const std::string_view body = text.substr(base);
    if (!IsValidUtf8(body)) {
        error = CatalogueText("Desktop", "%1 cannot be read as Thunar's list of custom actions (it is not UTF-8 "
                                         "text); it is left untouched")
                    .Text();
        return std::nullopt;
    }
    const QString document = QString::fromUtf8(body.data(), static_cast<qsizetype>(body.size()));
    ByteOffsets bytes(document, base);
    QXmlStreamReader reader(document);
    UcaLayout layout;
    int depth = 0;
    qint64 rootOpenEnd = -1;
    bool inAction = false;
    bool actionIsOurs = false;
    std::size_t actionBegin = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        const qint64 offset = reader.characterOffset();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringView name = reader.name();
            if (depth == 1 && name != Latin1(kRootName)) {
                error = CatalogueText("Desktop", "%1 cannot be read as Thunar's list of custom actions (its root "
                                                 "element is not <actions>); it is left untouched")
                            .Text();
                return std::nullopt;
            }
            if (depth == 1) {
                rootOpenEnd = offset;
            } else if (depth == 2 && name == Latin1(kActionName)) {
                inAction = true;
                actionIsOurs = false;
                actionBegin = bytes.Of(TagStart(document, offset));
            } else if (depth == 3 && inAction && name == Latin1(kUniqueIdName)) {
                const QString id = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                actionIsOurs = actionIsOurs || id == Latin1(kThunarActionId);
                --depth;  // the reader stands on the id's end now
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 2 && inAction) {
                if (actionIsOurs)
                    layout.ours.push_back({actionBegin, bytes.Of(offset)});
                inAction = false;
            } else if (depth == 1) {
                layout.rootEmpty = offset == rootOpenEnd;
                layout.rootClose = {bytes.Of(TagStart(document, offset)), bytes.Of(offset)};
            }
            --depth;
        }
    }
    if (reader.hasError()) {
        // The file's marker is kept for the caller, who knows the file.
        error = CatalogueText("Desktop", "%1 cannot be read as Thunar's list of custom actions (%2 at line %3); it "
                                         "is left untouched")
                    .Arg(kFileMarker)
                    .Arg(reader.errorString().toStdString())
                    .Arg(std::to_string(reader.lineNumber()))
                    .Text();
        return std::nullopt;
    }
    return layout;
}

// The line break the file uses.
std::string_view NewlineOf(std::string_view text)
{
    const std::size_t newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

std::string OurAction(std::string_view program, std::string_view newline)
{
    std::string command = QuoteShellWord(program);
    // A "%" of the path must not read as one of Thunar's codes.
    for (std::size_t pos = command.find('%'); pos != std::string::npos; pos = command.find('%', pos + 2))
        command.insert(pos, 1, '%');
    command += kFolderArgument;
    const std::string nl(newline);
    return "<action>" + nl +                                                    //
           "\t<icon>system-search</icon>" + nl +                                //
           "\t<name>Sifter</name>" + nl +                                       //
           "\t<unique-id>" + std::string(kThunarActionId) + "</unique-id>" + nl + //
           "\t<command>" + EscapeXmlText(command) + "</command>" + nl +         //
           "\t<description>Search this folder with Sifter</description>" + nl + //
           "\t<patterns>*</patterns>" + nl +                                    //
           "\t<directories/>" + nl +                                            //
           "</action>";
}

// The start of pos's line when only blanks stand before pos on it; npos otherwise.
std::size_t BlankLineStart(std::string_view text, std::size_t pos)
{
    while (pos > 0 && kBlanks.find(text[pos - 1]) != std::string_view::npos)
        --pos;
    return pos == 0 || text[pos - 1] == '\n' ? pos : std::string_view::npos;
}

// Takes span out of text, with the line break and blanks before it when it starts its line:
// that undoes both ways ours is put in.
void RemoveSpan(std::string &text, Span span)
{
    std::size_t begin = span.begin;
    const std::size_t lineStart = BlankLineStart(text, begin);
    if (lineStart != std::string_view::npos && lineStart > 0) {
        begin = lineStart - 1;
        if (begin > 0 && text[begin - 1] == '\r')
            --begin;
    }
    text.erase(begin, span.end - begin);
}

} // namespace

std::string ThunarActionsFile(std::string_view configHome)
{
    return PathAppend(configHome, "Thunar/uca.xml");
}

std::string UcaReasonFor(std::string reason, std::string_view file)
{
    // The file's marker comes before the parser's text in English and German alike: a "%1" the
    // parser's text may hold is never taken for it.
    if (const std::size_t marker = reason.find(kFileMarker); marker != std::string::npos)
        reason.replace(marker, kFileMarker.size(), file);
    return reason;
}

std::optional<std::string> UcaTextWithOurAction(std::string_view text, std::string_view program, std::string &error)
{
    if (text.empty()) {
        // No file yet: a whole one of our own, as Thunar writes it.
        return std::string(kNewFileStart) + "\n<actions>\n" + OurAction(program, "\n") + "\n</actions>\n";
    }
    const std::optional<UcaLayout> layout = ReadLayout(text, error);
    if (!layout)
        return std::nullopt;
    const std::string_view newline = NewlineOf(text);
    const std::string action = OurAction(program, newline);
    std::string result(text);
    if (!layout->ours.empty()) {
        // From the back, so the spans before stay where they are.
        for (std::size_t index = layout->ours.size() - 1; index > 0; --index)
            RemoveSpan(result, layout->ours[index]);
        const Span first = layout->ours.front();
        result.replace(first.begin, first.end - first.begin, action);
        return result;
    }
    const Span close = layout->rootClose;
    const std::string nl(newline);
    if (layout->rootEmpty) {
        result.replace(close.begin, close.end - close.begin,
                       "<" + std::string(kRootName) + ">" + nl + action + nl + "</" + std::string(kRootName) + ">");
    } else if (const std::size_t lineStart = BlankLineStart(result, close.begin); lineStart != std::string::npos) {
        result.insert(lineStart, action + nl);
    } else {
        result.insert(close.begin, nl + action);
    }
    return result;
}

std::optional<std::string> UcaTextWithoutOurAction(std::string_view text, std::string &error)
{
    const std::optional<UcaLayout> layout = ReadLayout(text, error);
    if (!layout)
        return std::nullopt;
    std::string result(text);
    for (auto span = layout->ours.rbegin(); span != layout->ours.rend(); ++span)
        RemoveSpan(result, *span);
    return result;
}

std::optional<bool> UcaTextHasOurAction(std::string_view text, std::string &error)
{
    const std::optional<UcaLayout> layout = ReadLayout(text, error);
    if (!layout)
        return std::nullopt;
    return !layout->ours.empty();
}

} // namespace sifter
