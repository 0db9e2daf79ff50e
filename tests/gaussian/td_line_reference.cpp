#include "gaussian/td_line_reference.h"

#include <cstdio>

// GCC 12 warns, wrongly, about std::function inside <regex> when it
// inlines it with the sanitizers on.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include "gaussian/td_line_patterns.h"

namespace nodara {
namespace {

const std::regex& statePattern() {
  static const std::regex pattern(
      R"(Excited State\s+(\d+):\s+(Singlet|Triplet|[+-]?\d+\.?\d*)-([^\s]+))"
      R"(\s+([+-]?\d+\.\d+)\s+eV\s+([+-]?\d+\.\d+)\s+nm\s+f=([+-]?\d+\.\d+))"
      R"(\s+<S\*\*2>=(\d+\.\d+))");
  return pattern;
}

const std::regex& contributionPattern() {
  static const std::regex pattern(
      R"(\s*(\d+[AB]?)\s*(->\s*|<-\s*)(\d+[AB]?)\s+(-?\d+\.\d+))");
  return pattern;
}

std::optional<GroupSpans> groupsByRegex(const std::regex& pattern,
                                        std::string_view line) {
  std::cmatch match;
  if (!std::regex_search(line.data(), line.data() + line.size(), match,
                         pattern)) {
    return std::nullopt;
  }
  GroupSpans spans;
  for (std::size_t group = 1; group < match.size(); ++group) {
    spans.emplace_back(static_cast<std::size_t>(match.position(group)),
                       static_cast<std::size_t>(match.length(group)));
  }
  return spans;
}

GroupSpans spansOf(std::string_view line,
                   std::initializer_list<std::string_view> groups) {
  GroupSpans spans;
  for (const std::string_view group : groups) {
    spans.emplace_back(static_cast<std::size_t>(group.data() - line.data()),
                       group.size());
  }
  return spans;
}

std::string describe(std::string_view line,
                     const std::optional<GroupSpans>& groups) {
  if (!groups) return "no match";
  std::string text;
  for (const auto& [offset, length] : *groups) {
    text += " [" + std::to_string(offset) + "] \"" +
            escaped(line.substr(offset, length)) + "\"";
  }
  return text;
}

std::string compare(std::string_view what, std::string_view line,
                    const std::optional<GroupSpans>& byRegex,
                    const std::optional<GroupSpans>& byMatcher) {
  if (byRegex == byMatcher) return {};
  return std::string(what) + ": regex" + describe(line, byRegex) + "; matcher" +
         describe(line, byMatcher) + "\n";
}

}  // namespace

std::optional<GroupSpans> stateGroupsByRegex(std::string_view line) {
  return groupsByRegex(statePattern(), line);
}

std::optional<GroupSpans> contributionGroupsByRegex(std::string_view line) {
  return groupsByRegex(contributionPattern(), line);
}

std::optional<GroupSpans> stateGroupsByMatcher(std::string_view line) {
  const std::optional<StateLineMatch> m = matchStateLine(line);
  if (!m) return std::nullopt;
  return spansOf(line,
                 {m->index, m->multiplicity, m->symmetry, m->energyEv,
                  m->wavelengthNm, m->oscillatorStrength, m->spinSquared});
}

std::optional<GroupSpans> contributionGroupsByMatcher(std::string_view line) {
  const std::optional<ContributionLineMatch> m = matchContributionLine(line);
  if (!m) return std::nullopt;
  return spansOf(line, {m->fromLabel, m->arrow, m->toLabel, m->coefficient});
}

std::string disagreementOn(std::string_view line) {
  return compare("state", line, stateGroupsByRegex(line),
                 stateGroupsByMatcher(line)) +
         compare("contribution", line, contributionGroupsByRegex(line),
                 contributionGroupsByMatcher(line));
}

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '\\') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  return out;
}

}  // namespace nodara
