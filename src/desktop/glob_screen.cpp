// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/glob_screen.h"

#include "text/ascii_case.h"

#include <algorithm>

namespace sifter {
namespace {

using Piece = GlobScreen::Piece;

constexpr unsigned char kFirstBeyondAscii = 0x80;

bool IsAscii(std::string_view text)
{
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= kFirstBeyondAscii; });
}

// A bracket's bytes, both cases, from what stands between "[" and "]".
Piece BracketPiece(std::string_view inside)
{
    Piece piece{Piece::Set, 0, {}};
    // "[!...]" and "[^...]" are read as "any byte": a wider screen, never a narrower one.
    if (inside.front() == '!' || inside.front() == '^') {
        piece.kind = Piece::AnyByte;
        return piece;
    }
    for (std::size_t k = 0; k < inside.size(); ++k) {
        const auto from = static_cast<unsigned char>(inside[k]);
        auto to = from;
        if (k + 2 < inside.size() && inside[k + 1] == '-') {
            to = static_cast<unsigned char>(inside[k + 2]);
            k += 2;
        }
        for (unsigned value = from; value <= to; ++value) {
            const auto byte = static_cast<unsigned char>(value);
            piece.set.set(byte);
            piece.set.set(AsciiLower(byte));
            if (byte >= 'a' && byte <= 'z')
                piece.set.set(byte - 'a' + 'A');
        }
    }
    return piece;
}

// The glob's pieces, a null piece standing for each "*"; false for what the screen does not
// read.
bool ReadGlob(std::string_view glob, std::vector<const Piece *> &order, std::vector<Piece> &pieces)
{
    if (!IsAscii(glob) || glob.find('\\') != std::string_view::npos)
        return false;
    pieces.reserve(glob.size()); // the pointers below stay valid
    for (std::size_t i = 0; i < glob.size(); ++i) {
        const auto c = static_cast<unsigned char>(glob[i]);
        if (c == '*') {
            order.push_back(nullptr);
            continue;
        }
        if (c == '?') {
            pieces.push_back(Piece{Piece::AnyByte, 0, {}});
        } else if (c == '[') {
            std::size_t first = i + 1;
            if (first < glob.size() && (glob[first] == '!' || glob[first] == '^'))
                ++first;
            const std::size_t close = glob.find(']', first);
            if (close == std::string_view::npos || close == first)
                return false; // no "]", or one that is the bracket's first byte
            pieces.push_back(BracketPiece(glob.substr(i + 1, close - i - 1)));
            i = close;
        } else {
            pieces.push_back(Piece{Piece::Byte, AsciiLower(c), {}});
        }
        order.push_back(&pieces.back());
    }
    return true;
}

bool PiecesMatchAt(const std::vector<Piece> &pieces, std::string_view name, std::size_t at)
{
    for (const Piece &piece : pieces) {
        const auto byte = static_cast<unsigned char>(name[at++]);
        if ((piece.kind == Piece::Byte && AsciiLower(byte) != piece.byte) || (piece.kind == Piece::Set && !piece.set.test(byte)))
            return false;
    }
    return true;
}

// Whether name holds lowerText, ASCII case folded.
bool ContainsFolded(std::string_view name, const std::string &lowerText)
{
    const auto folded = [](char a, char b) { return AsciiLower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b); };
    return std::search(name.begin(), name.end(), lowerText.begin(), lowerText.end(), folded) != name.end();
}

// The bytes a piece matches, both cases, or none for "?" (any byte).
std::bitset<256> BytesOf(const Piece &piece)
{
    std::bitset<256> bytes;
    if (piece.kind == Piece::Set) {
        bytes = piece.set;
    } else if (piece.kind == Piece::Byte) {
        bytes.set(piece.byte);
        if (piece.byte >= 'a' && piece.byte <= 'z')
            bytes.set(piece.byte - 'a' + 'A');
    }
    return bytes;
}

} // namespace

GlobScreen::GlobScreen(const std::vector<std::string> &globs)
{
    for (const std::string &glob : globs)
        Add(glob);
}

void GlobScreen::Add(std::string_view glob)
{
    std::vector<const Piece *> order;
    std::vector<Piece> pieces;
    if (!ReadGlob(glob, order, pieces)) {
        passAll_ = true;
        return;
    }
    Shape shape;
    const auto firstStar = std::find(order.begin(), order.end(), nullptr);
    shape.whole = firstStar == order.end();
    for (auto it = order.begin(); it != firstStar; ++it)
        shape.head.push_back(**it);
    if (!shape.whole) {
        const auto lastStar = std::find(order.rbegin(), order.rend(), nullptr).base(); // one past it
        for (auto it = lastStar; it != order.end(); ++it)
            shape.tail.push_back(**it);
        std::string stretch;
        for (auto it = firstStar; it != lastStar; ++it) {
            stretch = *it && (*it)->kind == Piece::Byte ? stretch + static_cast<char>((*it)->byte) : std::string();
            if (stretch.size() > shape.inside.size())
                shape.inside = stretch;
        }
        if (shape.head.empty() && shape.tail.empty() && shape.inside.empty()) {
            passAll_ = true; // nothing but wildcards: any name may match
            return;
        }
    }
    // Filed under its first byte, else its last; a shape with "?" at both ends is tried always.
    const std::size_t index = shapes_.size();
    const std::vector<Piece> &last = shape.whole ? shape.head : shape.tail;
    const std::bitset<256> first = shape.head.empty() ? std::bitset<256>() : BytesOf(shape.head.front());
    const std::bitset<256> end = last.empty() ? std::bitset<256>() : BytesOf(last.back());
    for (std::size_t byte = 0; byte < kByteValues; ++byte) {
        if (first.any() ? first.test(byte) : end.test(byte))
            (first.any() ? byFirstByte_ : byLastByte_)[byte].push_back(index);
    }
    if (first.none() && end.none())
        always_.push_back(index);
    shapes_.push_back(std::move(shape));
}

bool GlobScreen::Fits(const Shape &shape, std::string_view name) const
{
    if (shape.whole)
        return name.size() == shape.head.size() && PiecesMatchAt(shape.head, name, 0);
    return name.size() >= shape.head.size() + shape.tail.size() && PiecesMatchAt(shape.head, name, 0) &&
           PiecesMatchAt(shape.tail, name, name.size() - shape.tail.size()) &&
           (shape.inside.empty() || ContainsFolded(name, shape.inside));
}

bool GlobScreen::MayMatch(std::string_view name) const
{
    if (passAll_ || !IsAscii(name))
        return true;
    const auto fits = [&](std::size_t index) { return Fits(shapes_[index], name); };
    if (!name.empty()) {
        const std::vector<std::size_t> &byFirst = byFirstByte_[static_cast<unsigned char>(name.front())];
        const std::vector<std::size_t> &byLast = byLastByte_[static_cast<unsigned char>(name.back())];
        if (std::any_of(byFirst.begin(), byFirst.end(), fits) || std::any_of(byLast.begin(), byLast.end(), fits))
            return true;
    }
    return std::any_of(always_.begin(), always_.end(), fits);
}

} // namespace sifter
