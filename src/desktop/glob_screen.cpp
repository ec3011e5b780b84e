#include "desktop/glob_screen.h"

#include <algorithm>

namespace sifter {
namespace {

constexpr unsigned char kFirstBeyondAscii = 0x80;

unsigned char Lower(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

std::string LowerText(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsAscii(std::string_view text)
{
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= kFirstBeyondAscii; });
}

// One element of a glob: a byte, "?", "*", or a bracket's set of bytes (both cases).
struct Piece {
    enum Kind { Byte, AnyByte, AnyRun, Set } kind;
    unsigned char byte = 0;
    std::bitset<256> set;
};

// The glob's pieces; false for what the screen does not read.
bool ReadGlob(std::string_view glob, std::vector<Piece> &pieces)
{
    if (!IsAscii(glob) || glob.find('\\') != std::string_view::npos)
        return false;
    for (std::size_t i = 0; i < glob.size(); ++i) {
        const auto c = static_cast<unsigned char>(glob[i]);
        if (c == '*') {
            pieces.push_back(Piece{Piece::AnyRun, 0, {}});
        } else if (c == '?') {
            pieces.push_back(Piece{Piece::AnyByte, 0, {}});
        } else if (c == '[') {
            const std::size_t close = glob.find(']', i + 1);
            // "[]...]" and "[!...]" are read as "any byte": a wider screen, never a narrower one.
            if (close == std::string_view::npos || close == i + 1)
                return false;
            const std::string_view inside = glob.substr(i + 1, close - i - 1);
            Piece piece{Piece::Set, 0, {}};
            if (inside.front() == '!' || inside.front() == '^') {
                piece.kind = Piece::AnyByte;
            } else {
                for (std::size_t k = 0; k < inside.size(); ++k) {
                    unsigned char from = static_cast<unsigned char>(inside[k]);
                    unsigned char to = from;
                    if (k + 2 < inside.size() && inside[k + 1] == '-') {
                        to = static_cast<unsigned char>(inside[k + 2]);
                        k += 2;
                    }
                    for (unsigned value = from; value <= to; ++value) {
                        piece.set.set(value);
                        piece.set.set(Lower(static_cast<unsigned char>(value)));
                        if (value >= 'a' && value <= 'z')
                            piece.set.set(value - 'a' + 'A');
                    }
                }
            }
            pieces.push_back(piece);
            i = close;
        } else {
            pieces.push_back(Piece{Piece::Byte, Lower(c), {}});
        }
    }
    return true;
}

bool StartsWith(std::string_view lowerName, const std::string &text)
{
    return lowerName.size() >= text.size() && lowerName.compare(0, text.size(), text) == 0;
}

bool EndsWith(std::string_view lowerName, const std::string &text)
{
    return lowerName.size() >= text.size() && lowerName.compare(lowerName.size() - text.size(), text.size(), text) == 0;
}

} // namespace

GlobScreen::GlobScreen(const std::vector<std::string> &globs)
{
    for (const std::string &glob : globs)
        Add(glob);
}

void GlobScreen::Add(std::string_view glob)
{
    std::vector<Piece> pieces;
    if (!ReadGlob(glob, pieces) || pieces.empty()) {
        passAll_ = true;
        return;
    }
    // The literal bytes at the start and at the end, and the longest literal stretch.
    std::string start;
    for (std::size_t i = 0; i < pieces.size() && pieces[i].kind == Piece::Byte; ++i)
        start += static_cast<char>(pieces[i].byte);
    std::string end;
    for (std::size_t i = pieces.size(); i-- > 0 && pieces[i].kind == Piece::Byte;)
        end.insert(end.begin(), static_cast<char>(pieces[i].byte));
    std::string longest;
    std::string stretch;
    for (const Piece &piece : pieces) {
        stretch = piece.kind == Piece::Byte ? stretch + static_cast<char>(piece.byte) : std::string();
        if (stretch.size() > longest.size())
            longest = stretch;
    }

    if (!start.empty())
        starts_[static_cast<unsigned char>(start.front())].push_back(start);
    else if (pieces.front().kind == Piece::Set)
        firstBytes_ |= pieces.front().set;
    else if (!end.empty())
        ends_[static_cast<unsigned char>(end.back())].push_back(end);
    else if (pieces.back().kind == Piece::Set)
        lastBytes_ |= pieces.back().set;
    else if (!longest.empty())
        inside_.push_back(longest);
    else
        passAll_ = true; // only wildcards: any name may match
}

bool GlobScreen::MayMatch(std::string_view name) const
{
    if (passAll_ || !IsAscii(name))
        return true;
    if (name.empty())
        return false; // only a glob of wildcards alone matches it, and that lets all through
    const std::string lower = LowerText(name);
    const auto first = static_cast<unsigned char>(lower.front());
    const auto last = static_cast<unsigned char>(lower.back());
    // The bracket sets hold both cases already.
    if (firstBytes_.test(static_cast<unsigned char>(name.front())) ||
        lastBytes_.test(static_cast<unsigned char>(name.back())))
        return true;
    const auto startsHere = [&](const std::string &text) { return StartsWith(lower, text); };
    const auto endsHere = [&](const std::string &text) { return EndsWith(lower, text); };
    const auto insideHere = [&](const std::string &text) { return lower.find(text) != std::string::npos; };
    return std::any_of(starts_[first].begin(), starts_[first].end(), startsHere) ||
           std::any_of(ends_[last].begin(), ends_[last].end(), endsHere) ||
           std::any_of(inside_.begin(), inside_.end(), insideHere);
}

} // namespace sifter
