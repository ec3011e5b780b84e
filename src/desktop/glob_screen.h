#pragma once
// A quick screen of names against a list of shell globs ("*", "?", "[...]"), matched
// without regard to ASCII case: it rules out most names that no glob of the list can match,
// with a few byte comparisons instead of matching each glob. It never rules out a name that
// a glob may match, so a caller can keep its exact matching for the names it lets through.
#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

class GlobScreen {
public:
    // The globs as UTF-8 text. A glob the screen cannot read (a backslash, a byte beyond
    // ASCII, an odd bracket) lets every name through.
    explicit GlobScreen(const std::vector<std::string> &globs);

    // False when no glob of the list can match the name; always true for a name with a byte
    // beyond ASCII, whose case the screen does not fold.
    bool MayMatch(std::string_view name) const;

private:
    void Add(std::string_view glob);

    static constexpr std::size_t kByteValues = 256;
    bool passAll_ = false;
    // Each glob adds one thing a name it matches must have: the glob's literal start, a
    // first byte among its first bracket's, its literal end, a last byte among its last
    // bracket's, or else its longest literal stretch. Texts are lower-cased, keyed by
    // their first (starts) or last (ends) byte.
    std::array<std::vector<std::string>, kByteValues> starts_;
    std::bitset<kByteValues> firstBytes_;
    std::array<std::vector<std::string>, kByteValues> ends_;
    std::bitset<kByteValues> lastBytes_;
    std::vector<std::string> inside_;
};

} // namespace sifter
