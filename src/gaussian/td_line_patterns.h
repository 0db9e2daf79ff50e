/// Matchers for the excited-state and contribution lines of a TD section.
#pragma once

#include <optional>
#include <string_view>

namespace nodara {

/// Groups of an "Excited State" line, as views into the line.
struct StateLineMatch {
  std::string_view index;
  std::string_view multiplicity;
  std::string_view symmetry;
  std::string_view energyEv;
  std::string_view wavelengthNm;
  std::string_view oscillatorStrength;
  std::string_view spinSquared;
};

/// Groups of an orbital contribution line ("45 -> 47  0.70123").
struct ContributionLineMatch {
  std::string_view fromLabel;
  std::string_view arrow;  ///< "->" or "<-" with the white space after it
  std::string_view toLabel;
  std::string_view coefficient;
};

/// Finds the first occurrence in `line` of
///   Excited State\s+(\d+):\s+(Singlet|Triplet|[+-]?\d+\.?\d*)-([^\s]+)\s+
///   ([+-]?\d+\.\d+)\s+eV\s+([+-]?\d+\.\d+)\s+nm\s+f=([+-]?\d+\.\d+)\s+
///   <S\*\*2>=(\d+\.\d+)
/// and gives the same groups as that ECMAScript expression, in time
/// linear in the line's length.
std::optional<StateLineMatch> matchStateLine(std::string_view line);

/// Finds the first occurrence in `line` of
///   \s*(\d+[AB]?)\s*(->\s*|<-\s*)(\d+[AB]?)\s+(-?\d+\.\d+)
/// with the same groups as that ECMAScript expression, in linear time.
std::optional<ContributionLineMatch> matchContributionLine(
    std::string_view line);

}  // namespace nodara
