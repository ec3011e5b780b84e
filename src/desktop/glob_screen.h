// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quick screen of names against a list of shell globs ("*", "?", "[...]"), matched
// without regard to ASCII case: it rules out most names that no glob of the list can match,
// with a few byte comparisons instead of matching each glob. It never rules out a name that
// a glob may match, so a caller can keep its exact matching for the names it lets through.
#include <array>
#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

class GlobScreen {
public:
    // The globs as UTF-8 text. A glob the screen cannot read (a backslash, a byte beyond
    // ASCII, an odd bracket) or one of wildcards alone lets every name through.
    explicit GlobScreen(const std::vector<std::string> &globs);

    // False when no glob of the list can match the name; always true for a name with a byte
    // beyond ASCII, whose case the screen does not fold.
    bool MayMatch(std::string_view name) const;

    // One element of a glob: a byte (lower-cased), "?", or a bracket's bytes (both cases).
    struct Piece {
        enum Kind { Byte, AnyByte, Set } kind = Byte;
        unsigned char byte = 0;
        std::bitset<256> set;
    };

private:
    // What a name a glob matches must have: the glob's pieces before its first "*" at the
    // start and those after its last "*" at the end (a glob without "*": the whole name),
    // and its longest run of bytes between the two.
    struct Shape {
        std::vector<Piece> head;
        std::vector<Piece> tail;
        bool whole = false;
        std::string inside;
    };
    void Add(std::string_view glob);
    bool Fits(const Shape &shape, std::string_view name) const;

    static constexpr std::size_t kByteValues = 256;
    bool passAll_ = false;
    std::vector<Shape> shapes_;
    // The shapes to try for a name: by its first byte those whose head starts with a byte
    // or bracket, by its last byte those whose tail ends with one, and the rest always.
    std::array<std::vector<std::size_t>, kByteValues> byFirstByte_;
    std::array<std::vector<std::size_t>, kByteValues> byLastByte_;
    std::vector<std::size_t> always_;
};

} // namespace sifter
