// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/text_expression.h"

#include <re2/re2.h>

#include <algorithm>
#include <new>
#include <vector>

namespace sifter {
namespace {

// Where the group that a "missing )" leaves open starts: RE2 names only the whole pattern.
std::size_t UnclosedGroup(std::string_view pattern)
{
    std::vector<std::size_t> open;
    bool inClass = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\\') {
            ++i;
        } else if (inClass) {
            inClass = c != ']';
        } else if (c == '[') {
            inClass = true;
        } else if (c == '(') {
            open.push_back(i);
        } else if (c == ')' && !open.empty()) {
            open.pop_back();
        }
    }
    return open.empty() ? pattern.size() : open.back();
}

// RE2's message names the part of the text it compiled, which may hold the line flag
// around the user's pattern: the message names the user's own text instead.
std::string Located(const re2::RE2 &compiled, std::string_view pattern, const std::string &compiledText)
{
    if (compiled.error_code() == re2::RE2::ErrorPatternTooLarge)
        return "the expression is too large (more than " + std::to_string(kExpressionMemoryBytes >> 20) +
               " MB when compiled)";
    std::size_t at = std::string_view::npos;
    const std::string &part = compiled.error_arg();
    if (compiled.error_code() == re2::RE2::ErrorMissingParen)
        at = UnclosedGroup(pattern);
    else if (!part.empty())
        at = pattern.find(part);
    std::string message = compiled.error();
    if (!part.empty() && message.size() > part.size() + 2 && message.ends_with(part))
        message = message.substr(0, message.size() - part.size() - 2) + ": " +
                  (part == compiledText ? std::string(pattern) : part);
    if (at != std::string_view::npos)
        message += " at position " + std::to_string(at + 1);
    return message;
}

} // namespace

TextExpression::TextExpression(std::unique_ptr<re2::RE2> compiled) : compiled_(std::move(compiled)) {}

TextExpression::~TextExpression() = default;

std::shared_ptr<const TextExpression> TextExpression::Compile(std::string_view pattern, bool ignoreCase,
                                                              std::string *error, bool lines)
{
    re2::RE2::Options options;
    options.set_log_errors(false); // the caller shows the message; nothing goes to stderr
    options.set_case_sensitive(!ignoreCase);
    options.set_max_mem(kExpressionMemoryBytes);
    // Lines as a flag group around the whole: the user's own text keeps its positions.
    const std::string text = lines ? "(?m:" + std::string(pattern) + ")" : std::string(pattern);
    std::unique_ptr<re2::RE2> compiled(new (std::nothrow) re2::RE2(text, options));
    if (!compiled) {
        if (error)
            *error = "out of memory";
        return nullptr;
    }
    if (!compiled->ok()) {
        if (error)
            *error = Located(*compiled, pattern, text);
        return nullptr;
    }
    std::shared_ptr<const TextExpression> expression(new (std::nothrow) TextExpression(std::move(compiled)));
    if (!expression && error)
        *error = "out of memory";
    return expression;
}

bool TextExpression::Contains(std::string_view text) const
{
    return re2::RE2::PartialMatch(re2::StringPiece(text.data(), text.size()), *compiled_);
}

std::int64_t TextExpression::FindFirst(std::string_view text, std::size_t from, std::size_t to) const
{
    to = std::min(to, text.size());
    if (from > to)
        return -1;
    re2::StringPiece match;
    if (!compiled_->Match(re2::StringPiece(text.data(), text.size()), from, to, re2::RE2::UNANCHORED, &match, 1))
        return -1;
    return match.data() - text.data();
}

} // namespace sifter
