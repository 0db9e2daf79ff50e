#include "gaussian/td_line_patterns.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "gaussian/td_line_mutator.h"
#include "gaussian/td_line_reference.h"

namespace nodara {
namespace {

using namespace std::string_literals;

/// A line and the text of the group that tells which occurrence matched:
/// the state number for state lines, the left label for contribution
/// lines; empty when the line must not match.
struct LineCase {
  std::string line;
  std::string keyGroup;
};

const std::string kState =
    " Excited State   1:      Singlet-A      3.5013 eV  354.11 nm  "
    "f=0.0123  <S**2>=0.000";

const LineCase kStateCases[] = {
    {kState, "1"},
    {"Excited State 12: Triplet-B2U 1.0 eV 2.0 nm f=0.1 <S**2>=2.0", "12"},
    {"Excited State 12: Triplet-B2U 1 eV 2.0 nm f=0.1 <S**2>=2.0", ""},
    {"Excited State 12: Triplet-B2U 1.0 eV 2. nm f=0.1 <S**2>=2.0", ""},
    {"Excited State 12: Triplet-B2U 1.0 eV 2.0 nm f=.1 <S**2>=2.0", ""},
    {"Excited State   3:   3.024-A   2.10 eV 590.40 nm f=0.00 <S**2>=2.26",
     "3"},
    {"Excited State 4: +1.5-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: -1.5-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: 2.-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: 2-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: .5-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: +-1-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet -A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlets-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet- 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A-B-C 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: 1-2-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: Singlet-?Sym 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State 4: Singlet-A\x80\xff 1.10 eV 2.20 nm f=3.30 <S**2>=4.40",
     "4"},
    {"Excited State 4: Singlet-A\0B 1.10 eV 2.20 nm f=3.30 <S**2>=4.40"s, "4"},
    {"Excited State 4: Singlet-A -1.10 eV +2.20 nm f=-3.30 <S**2>=4.40", "4"},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=-4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=+4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f= 3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30<S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 ev 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S*2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40xyz", "4"},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 ", ""},
    {"Excited State 4:Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited  State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4 : Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State -4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", ""},
    {"Excited State 4: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "4"},
    {"Excited State\t4:\tSinglet-A\t1.10\teV\t2.20\tnm\tf=3.30\t<S**2>=4.40",
     "4"},
    {"Excited State\r4:\v\fSinglet-A\r\n1.10 eV 2.20 nm f=3.30 \r<S**2>=4.40",
     "4"},
    {kState + "\r", "1"},
    {"xyzExcited State 7: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40", "7"},
    {"Excited State Excited State 7: Singlet-A 1.10 eV 2.20 nm f=3.30 "
     "<S**2>=4.40",
     "7"},
    {"Excited State 1: Singlet-A 1.10 eV Excited State 2: Singlet-A 1.10 eV "
     "2.20 nm f=3.30 <S**2>=4.40",
     "2"},
    {"Excited State 1: Singlet-Excited State 2: Triplet-A 1.10 eV 2.20 nm "
     "f=3.30 <S**2>=4.40",
     "2"},
    {"Excited State 1: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40 "
     "Excited State 2: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40",
     "1"},
    {"Excited State 0012: Singlet-A 1.10 eV 2.20 nm f=3.30 <S**2>=4.40",
     "0012"},
    {"Excited State 99999999999: Singlet-A 1.10 eV 2.20 nm f=3.30 "
     "<S**2>=4.40",
     "99999999999"},
    {"Excited State", ""},
    {"", ""},
};

TEST(TdLinePatternsTest, StateMatcherAgreesWithTheExpressionOnTable) {
  for (const LineCase& c : kStateCases) {
    SCOPED_TRACE(escaped(c.line));
    EXPECT_EQ("", disagreementOn(c.line));
    const std::optional<StateLineMatch> match = matchStateLine(c.line);
    EXPECT_EQ(c.keyGroup, match ? std::string(match->index) : "");
  }
}

const LineCase kContributionCases[] = {
    {"      45 -> 47         0.70123", "45"},
    {"      45 <- 47        -0.10000", "45"},
    {"      45A -> 47A       0.70123", "45A"},
    {"      45B <- 47B      -0.10000", "45B"},
    {"45->47 0.5", "45"},
    {"45  ->  47\t\t0.5", "45"},
    {"45\t->\t47\r0.5\r", "45"},
    {"45 -> 47 +0.5", ""},
    {"45 -> 47 --0.5", ""},
    {"45 -> 47 0.", ""},
    {"45 -> 47 .5", ""},
    {"45 -> 47 5", ""},
    {"45 -> 47 0.5.6", "45"},
    {"45 -> 47 0.5 trailing text", "45"},
    {"45 -> 470.5", ""},
    {"45 -> 47A0.5", ""},
    {"45 => 47 0.5", ""},
    {"45 - > 47 0.5", ""},
    {"45 < - 47 0.5", ""},
    {"45 >- 47 0.5", ""},
    {"45AB -> 47 0.5", ""},
    {"45C -> 47 0.5", ""},
    {"45a -> 47 0.5", ""},
    {"45 A -> 47 0.5", ""},
    {"45 -> 47AB 0.5", ""},
    {"45 -> A47 0.5", ""},
    {"-> 47 0.5", ""},
    {"x45 -> 47 0.5", "45"},
    {"abc12345A->47 0.5", "12345A"},
    {"1.45 -> 47 0.5", "45"},
    {"1 2 -> 3 0.5", "2"},
    {"1->2->3 0.5", "2"},
    {"1->2 <-3 0.5", "2"},
    {"1 -> 2 0.1 3 -> 4 0.2", "1"},
    {"1 -> x 2 -> 3 0.5", "2"},
    {"45 ->\t\r 47 0.5", "45"},
    {"45\x80-> 47 0.5", ""},
    {"45 -> 47\x00 0.5"s, ""},
    {"\x00"
     "45 -> 47 0.5"s,
     "45"},
    {"99999999999 -> 47 0.5", "99999999999"},
    {"", ""},
    {"   ", ""},
};

TEST(TdLinePatternsTest, ContributionMatcherAgreesWithTheExpressionOnTable) {
  for (const LineCase& c : kContributionCases) {
    SCOPED_TRACE(escaped(c.line));
    EXPECT_EQ("", disagreementOn(c.line));
    const std::optional<ContributionLineMatch> match =
        matchContributionLine(c.line);
    EXPECT_EQ(c.keyGroup, match ? std::string(match->fromLabel) : "");
  }
}

TEST(TdLinePatternsTest, StateMatcherGivesEveryGroup) {
  const std::optional<StateLineMatch> m = matchStateLine(
      "Excited State  12:  -3.024-B2U  -1.25 eV  +991.50 nm  f=0.0100  "
      "<S**2>=2.026 extra");
  ASSERT_TRUE(m);
  EXPECT_EQ("12", m->index);
  EXPECT_EQ("-3.024", m->multiplicity);
  EXPECT_EQ("B2U", m->symmetry);
  EXPECT_EQ("-1.25", m->energyEv);
  EXPECT_EQ("+991.50", m->wavelengthNm);
  EXPECT_EQ("0.0100", m->oscillatorStrength);
  EXPECT_EQ("2.026", m->spinSquared);
}

TEST(TdLinePatternsTest, ContributionMatcherGivesEveryGroup) {
  const std::optional<ContributionLineMatch> m =
      matchContributionLine("   45B <- \t 47A   -0.10000 ");
  ASSERT_TRUE(m);
  EXPECT_EQ("45B", m->fromLabel);
  EXPECT_EQ("<- \t ", m->arrow);
  EXPECT_EQ("47A", m->toLabel);
  EXPECT_EQ("-0.10000", m->coefficient);
}

/// Compares the matchers with the expressions on every line of `text` and
/// reports the first few lines where they disagree; returns the number of
/// lines compared.
std::size_t compareLines(const std::string& name, std::string_view text) {
  // std::regex recurses once per character, so lines far longer than any
  // log line are left to the matchers alone.
  constexpr std::size_t kLongestForRegex = 4096;
  std::size_t compared = 0;
  int reported = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.size() > kLongestForRegex) {
      matchStateLine(line);
      matchContributionLine(line);
      continue;
    }
    ++compared;
    const std::string difference = disagreementOn(line);
    if (!difference.empty() && reported++ < 10) {
      ADD_FAILURE() << name << ": " << escaped(line) << "\n" << difference;
    }
  }
  return compared;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TdLinePatternsTest, MatchersAgreeWithTheExpressionsOnTestData) {
  const std::filesystem::path dataDir = NODARA_TEST_DATA_DIR;
  ASSERT_TRUE(std::filesystem::is_directory(dataDir));
  std::size_t files = 0;
  std::size_t lines = 0;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(dataDir)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    lines += compareLines(entry.path().string(), readFile(entry.path()));
  }
  std::cout << "compared " << lines << " lines of " << files
            << " files in tests/data\n";
}

/// Compares `count` generated lines; returns how many matched each
/// expression.
std::pair<std::size_t, std::size_t> compareGeneratedLines(std::uint32_t seed,
                                                          std::size_t count) {
  TdLineMutator mutator(seed);
  std::size_t states = 0;
  std::size_t contributions = 0;
  int reported = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string line = mutator.nextLine();
    const std::string difference = disagreementOn(line);
    if (!difference.empty() && reported++ < 10) {
      ADD_FAILURE() << "line " << i << ": " << escaped(line) << "\n"
                    << difference;
    }
    states += stateGroupsByRegex(line).has_value();
    contributions += contributionGroupsByRegex(line).has_value();
  }
  return {states, contributions};
}

TEST(TdLinePatternsTest, MatchersAgreeWithTheExpressionsOnGeneratedLines) {
  constexpr std::size_t kLines = 400000;
  const auto [states, contributions] = compareGeneratedLines(20240611, kLines);
  std::cout << "compared " << kLines << " generated lines: " << states
            << " match the state expression, " << contributions
            << " the contribution expression\n";
  // The generated lines must exercise both outcomes of both expressions.
  EXPECT_GT(states, kLines / 20);
  EXPECT_LT(states, kLines / 2);
  EXPECT_GT(contributions, kLines / 20);
  EXPECT_LT(contributions, kLines - kLines / 20);
}

TEST(TdLinePatternsTest, MatchersAgreeOnValidGeneratedLines) {
  TdLineMutator mutator(7);
  for (int i = 0; i < 2000; ++i) {
    const std::string state = mutator.stateLine();
    const std::string contribution = mutator.contributionLine();
    ASSERT_TRUE(matchStateLine(state)) << escaped(state);
    ASSERT_TRUE(matchContributionLine(contribution)) << escaped(contribution);
    ASSERT_EQ("", disagreementOn(state)) << escaped(state);
    ASSERT_EQ("", disagreementOn(contribution)) << escaped(contribution);
  }
}

constexpr std::size_t kHugeLength = std::size_t{64} << 20;

TEST(TdLinePatternsTest, StateMatcherHandlesA64MiBLine) {
  const std::string head = "Excited State   1:      Singlet-A ";
  std::string line = head + std::string(kHugeLength, '7');
  EXPECT_FALSE(matchStateLine(line));
  EXPECT_FALSE(matchContributionLine(line));
  line += ".5 eV 354.11 nm f=0.0123 <S**2>=0.000";
  const std::optional<StateLineMatch> match = matchStateLine(line);
  ASSERT_TRUE(match);
  EXPECT_EQ(kHugeLength + 2, match->energyEv.size());
  line = std::string(kHugeLength, ' ') + "Excited State";
  EXPECT_FALSE(matchStateLine(line));
}

TEST(TdLinePatternsTest, ContributionMatcherHandlesA64MiBLine) {
  std::string line = "      45A -> 47B   " + std::string(kHugeLength, '3');
  EXPECT_FALSE(matchContributionLine(line));
  line += ".25";
  const std::optional<ContributionLineMatch> match =
      matchContributionLine(line);
  ASSERT_TRUE(match);
  EXPECT_EQ(kHugeLength + 3, match->coefficient.size());
  line.clear();
  while (line.size() < kHugeLength) line += "1->";
  EXPECT_FALSE(matchContributionLine(line));
  line = std::string(kHugeLength, ' ') + "1 ->" +
         std::string(kHugeLength / 2, '\t') + "2 0.5";
  EXPECT_TRUE(matchContributionLine(line));
}

}  // namespace
}  // namespace nodara
