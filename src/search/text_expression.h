// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A regular expression of the name or words box (RE2 syntax), compiled once and then
// matched by any number of threads: matching runs in time linear in the text whatever the
// expression, and compiling stops at a fixed memory budget, so no expression can hang or
// exhaust a run.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace re2 {
class RE2;
}

namespace sifter {

// What one compiled expression may take; beyond it the expression is refused.
inline constexpr std::int64_t kExpressionMemoryBytes = 64 << 20;
// A match in the contents is found across a chunk border when it is at most this long.
inline constexpr std::size_t kExpressionOverlap = 4096;

class TextExpression {
public:
    // The expression, or null with *error (when given) naming the problem and its position
    // in pattern (counted from 1). Texts are UTF-8; ignoreCase folds letters (Unicode
    // simple case folding); with lines set, "^" and "$" also match at each line's start and end.
    static std::shared_ptr<const TextExpression> Compile(std::string_view pattern, bool ignoreCase,
                                                         std::string *error = nullptr, bool lines = false);
    ~TextExpression();
    TextExpression(const TextExpression &) = delete;
    TextExpression &operator=(const TextExpression &) = delete;

    // Whether the expression matches the text or a part of it ("^" and "$" anchor).
    bool Contains(std::string_view text) const;
    // Where the first match within text[from, to) starts, or -1. The text around that range
    // is context: "^" does not match at from nor "$" at to unless they are the text's ends.
    std::int64_t FindFirst(std::string_view text, std::size_t from = 0,
                           std::size_t to = std::string_view::npos) const;

private:
    explicit TextExpression(std::unique_ptr<re2::RE2> compiled);
    std::unique_ptr<re2::RE2> compiled_;
};

} // namespace sifter
