// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/criteria_expressions.h"

#include "search/text_field.h"

namespace sifter {

std::shared_ptr<const TextExpression> NameExpressionOf(const SearchCriteria &criteria, const ExtraCriteria &extras,
                                                       std::string *error)
{
    const std::string_view names = TextField(criteria.names);
    if (!extras.regexNames || names.empty())
        return nullptr;
    return TextExpression::Compile(names, criteria.caseSensitive == 0, error);
}

std::shared_ptr<const TextExpression> WordsExpressionOf(const SearchCriteria &criteria, const ExtraCriteria &extras,
                                                        std::string *error)
{
    const std::string_view words = TextField(criteria.words);
    if (!extras.regexWords || words.empty())
        return nullptr;
    // Contents are lines of text: "^" and "$" anchor at each line, as in grep.
    return TextExpression::Compile(words, false, error, true);
}

std::string CriteriaExpressionError(const SearchCriteria &criteria, const ExtraCriteria &extras)
{
    std::string error;
    if (extras.regexNames && !TextField(criteria.names).empty() && !NameExpressionOf(criteria, extras, &error))
        return "The regular expression of the file name is not valid: " + error + ".";
    if (extras.regexWords && !TextField(criteria.words).empty() && !WordsExpressionOf(criteria, extras, &error))
        return "The regular expression of the words is not valid: " + error + ".";
    return {};
}

} // namespace sifter
