/// The two TD line expressions run with std::regex, as the reference that
/// the hand-written matchers of td_line_patterns.h are checked against.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nodara {

/// Where each group of a match lies in its line: offset and length.
using GroupSpans = std::vector<std::pair<std::size_t, std::size_t>>;

/// Groups 1-7 of the first match of the state expression in `line`, found
/// with std::regex_search; nothing when the line does not match.
std::optional<GroupSpans> stateGroupsByRegex(std::string_view line);
/// Groups 1-4 of the first match of the contribution expression.
std::optional<GroupSpans> contributionGroupsByRegex(std::string_view line);

/// The same groups as given by matchStateLine and matchContributionLine.
std::optional<GroupSpans> stateGroupsByMatcher(std::string_view line);
std::optional<GroupSpans> contributionGroupsByMatcher(std::string_view line);

/// Where the matchers and the expressions disagree on `line`, for both
/// patterns; empty when they agree.
std::string disagreementOn(std::string_view line);

/// `text` with every byte that is not printable ASCII written as \xNN.
std::string escaped(std::string_view text);

}  // namespace nodara
