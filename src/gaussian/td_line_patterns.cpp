#include "gaussian/td_line_patterns.h"

namespace nodara {
namespace {

/// White space as the expressions' \s reads it in the classic locale.
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// A position in one line, advanced by the pieces of a pattern. Every
/// piece is greedy and cannot give anything back that would help the next
/// piece, so no backtracking is needed.
class Scanner {
 public:
  Scanner(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

  std::size_t pos() const { return pos_; }
  bool atEnd() const { return pos_ >= text_.size(); }

  /// Skips white space; true when at least `minimum` characters were skipped.
  bool spaces(std::size_t minimum) {
    const std::size_t start = pos_;
    while (!atEnd() && isSpace(text_[pos_])) ++pos_;
    return pos_ - start >= minimum;
  }
  /// Skips digits; true when there was at least one.
  bool digits() {
    const std::size_t start = pos_;
    while (!atEnd() && isDigit(text_[pos_])) ++pos_;
    return pos_ > start;
  }
  bool literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  bool optional(char c) {
    if (atEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  bool optionalSign() { return optional('+') || optional('-'); }
  /// [^\s]+
  bool nonSpaces() {
    const std::size_t start = pos_;
    while (!atEnd() && !isSpace(text_[pos_])) ++pos_;
    return pos_ > start;
  }
  std::string_view since(std::size_t start) const {
    return text_.substr(start, pos_ - start);
  }

 private:
  std::string_view text_;
  std::size_t pos_;
};

/// [+-]?\d+\.\d+ (without the sign when `withSign` is false), captured.
bool decimal(Scanner& s, bool withSign, std::string_view& group) {
  const std::size_t start = s.pos();
  if (withSign) s.optionalSign();
  if (!s.digits() || !s.literal(".") || !s.digits()) return false;
  group = s.since(start);
  return true;
}

/// (Singlet|Triplet|[+-]?\d+\.?\d*) followed by '-'.
bool multiplicity(Scanner& s, std::string_view& group) {
  const std::size_t start = s.pos();
  if (!s.literal("Singlet") && !s.literal("Triplet")) {
    s.optionalSign();
    if (!s.digits()) return false;
    s.optional('.');
    s.digits();
  }
  group = s.since(start);
  return s.literal("-");
}

std::optional<StateLineMatch> stateAt(std::string_view line, std::size_t at) {
  Scanner s(line, at);
  StateLineMatch m;
  std::size_t start;
  if (!s.literal("Excited State") || !s.spaces(1)) return std::nullopt;
  start = s.pos();
  if (!s.digits()) return std::nullopt;
  m.index = s.since(start);
  if (!s.literal(":") || !s.spaces(1) || !multiplicity(s, m.multiplicity)) {
    return std::nullopt;
  }
  start = s.pos();
  if (!s.nonSpaces()) return std::nullopt;
  m.symmetry = s.since(start);
  if (!s.spaces(1) || !decimal(s, true, m.energyEv) || !s.spaces(1) ||
      !s.literal("eV") || !s.spaces(1) || !decimal(s, true, m.wavelengthNm) ||
      !s.spaces(1) || !s.literal("nm") || !s.spaces(1) || !s.literal("f=") ||
      !decimal(s, true, m.oscillatorStrength) || !s.spaces(1) ||
      !s.literal("<S**2>=") || !decimal(s, false, m.spinSquared)) {
    return std::nullopt;
  }
  return m;
}

/// \d+[AB]?
bool orbitalLabel(Scanner& s, std::string_view& group) {
  const std::size_t start = s.pos();
  if (!s.digits()) return false;
  if (!s.optional('A')) s.optional('B');
  group = s.since(start);
  return true;
}

/// The contribution pattern with its first label starting at `at`.
std::optional<ContributionLineMatch> contributionAt(std::string_view line,
                                                    std::size_t at) {
  Scanner s(line, at);
  ContributionLineMatch m;
  if (!orbitalLabel(s, m.fromLabel)) return std::nullopt;
  s.spaces(0);
  const std::size_t arrowStart = s.pos();
  if (!s.literal("->") && !s.literal("<-")) return std::nullopt;
  s.spaces(0);
  m.arrow = s.since(arrowStart);
  if (!orbitalLabel(s, m.toLabel) || !s.spaces(1)) return std::nullopt;
  const std::size_t start = s.pos();
  s.optional('-');
  if (!s.digits() || !s.literal(".") || !s.digits()) return std::nullopt;
  m.coefficient = s.since(start);
  return m;
}

}  // namespace

std::optional<StateLineMatch> matchStateLine(std::string_view line) {
  constexpr std::string_view kHead = "Excited State";
  for (std::size_t at = line.find(kHead); at != std::string_view::npos;
       at = line.find(kHead, at + 1)) {
    if (auto match = stateAt(line, at)) return match;
  }
  return std::nullopt;
}

std::optional<ContributionLineMatch> matchContributionLine(
    std::string_view line) {
  // A match starts at the first digit of a run of digits: starting inside
  // the run gives the same rest of the match, starting on the white space
  // before it the same groups.
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (!isDigit(line[at]) || (at > 0 && isDigit(line[at - 1]))) continue;
    if (auto match = contributionAt(line, at)) return match;
  }
  return std::nullopt;
}

}  // namespace nodara
