// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The regular expressions a search's criteria ask for, compiled as its run compiles them.
#include "search/extra_criteria.h"
#include "search/search_criteria.h"
#include "search/text_expression.h"

#include <memory>
#include <string>

namespace sifter {

// The name expression (case folded unless caseSensitive is set); null when names are no
// expression or empty, or when it is invalid (*error then says why and where).
std::shared_ptr<const TextExpression> NameExpressionOf(const SearchCriteria &criteria, const ExtraCriteria &extras,
                                                       std::string *error = nullptr);
// The words expression (compared with case, as words are); null likewise.
std::shared_ptr<const TextExpression> WordsExpressionOf(const SearchCriteria &criteria, const ExtraCriteria &extras,
                                                        std::string *error = nullptr);
// Empty when every expression asked for is valid, else a message naming the box, the
// position and the problem, for the user before the run.
std::string CriteriaExpressionError(const SearchCriteria &criteria, const ExtraCriteria &extras);

} // namespace sifter
