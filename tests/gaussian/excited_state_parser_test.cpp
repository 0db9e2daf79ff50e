#include "gaussian/excited_state_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "gaussian/library_log_capture.h"
#include "support/temp_directory.h"

namespace nodara {
namespace {

const std::string kHeader = " Entering Gaussian System, Link 0=g16\n";
const std::string kMarker =
    " Excitation energies and oscillator strengths:\n\n";

/// An "Excited State" line as Gaussian prints it.
std::string stateLine(int index, const std::string& kind = "Singlet-A",
                      const std::string& energy = "3.5013",
                      const std::string& wavelength = "354.11",
                      const std::string& strength = "0.0123") {
  return " Excited State   " + std::to_string(index) + ":      " + kind +
         "      " + energy + " eV  " + wavelength + " nm  f=" + strength +
         "  <S**2>=0.000\n";
}

std::string contributionLine(const std::string& from, const std::string& arrow,
                             const std::string& to,
                             const std::string& coefficient) {
  return "      " + from + " " + arrow + " " + to + "        " + coefficient +
         "\n";
}

std::string withoutNewline(const std::string& line) {
  return line.substr(0, line.size() - 1);
}

/// A TD section with states 1 to `count`, energies first+0.1*i eV.
std::string section(int count, double firstEnergy) {
  std::string text = kMarker;
  for (int i = 1; i <= count; ++i) {
    text += stateLine(i, "Singlet-A", std::to_string(firstEnergy + 0.1 * i));
    text += contributionLine(std::to_string(10 + i), "->", "20", "0.70000");
    text += "\n";
  }
  return text;
}

std::vector<std::int32_t> indicesOf(const std::vector<ExcitedState>& states) {
  std::vector<std::int32_t> indices;
  for (const ExcitedState& state : states) indices.push_back(state.index);
  return indices;
}

std::vector<double> energiesOf(const std::vector<ExcitedState>& states) {
  std::vector<double> energies;
  for (const ExcitedState& state : states) energies.push_back(state.energyEv);
  return energies;
}

/// Loads a log text for a parser; the log outlives the parser.
class ExcitedStateParserTest : public LibraryLogCapture {
 protected:
  const GaussianLogFile& load(const std::string& text) {
    log_.loadFromString(kHeader + text);
    clearLogged();
    return log_;
  }

  GaussianLogFile log_;
};

TEST_F(ExcitedStateParserTest, EverySectionBecomesABlock) {
  ExcitedStateParser parser(load(stateLine(9) + section(3, 1.0) +
                                 " Optimization step\n" + section(3, 2.0)));
  ASSERT_EQ(2, parser.blockCount());
  const std::vector<ExcitationBlock>& blocks = parser.blocks();
  EXPECT_EQ(0, blocks[0].index);
  EXPECT_EQ(1, blocks[1].index);
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3}), indicesOf(blocks[0].states));
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3}), indicesOf(blocks[1].states));
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3, 1, 2, 3}),
            indicesOf(parser.allStates()));
  EXPECT_EQ(std::vector<double>({1.1, 1.2, 1.3, 2.1, 2.2, 2.3}),
            energiesOf(parser.allStates()));

  const std::optional<ExcitedState> second = parser.stateByIndex(2);
  ASSERT_TRUE(second);
  EXPECT_EQ(1.2, second->energyEv);
  EXPECT_EQ(1, parser.lastBlock().index);
  EXPECT_EQ(2.1, parser.lastBlock().states.at(0).energyEv);
  EXPECT_EQ(0, parser.blockByIndex(0).index);
  EXPECT_EQ(1.1, parser.blockByIndex(0).states.at(0).energyEv);
  EXPECT_EQ(2u, parser.allBlocks().size());
  EXPECT_EQ("", loggedErr());
}

TEST_F(ExcitedStateParserTest, MissingBlocksGiveTheEmptyBlock) {
  ExcitedStateParser parser(load(section(1, 1.0)));
  for (const std::int32_t index : {-1, 1, 2}) {
    SCOPED_TRACE(index);
    const ExcitationBlock block = parser.blockByIndex(index);
    EXPECT_EQ(-1, block.index);
    EXPECT_TRUE(block.states.empty());
    EXPECT_EQ(0.0, block.totalEnergy);
  }
  ExcitedStateParser none(load(" no TD output\n"));
  EXPECT_EQ(-1, none.lastBlock().index);
  EXPECT_TRUE(none.lastBlock().states.empty());
  EXPECT_EQ(0, none.blockCount());
  EXPECT_TRUE(none.allBlocks().empty());
}

TEST_F(ExcitedStateParserTest, StateByIndexWarnsWhenThereIsNone) {
  ExcitedStateParser parser(load(section(2, 1.0)));
  for (const std::int32_t index : {3, 0, -4}) {
    SCOPED_TRACE(index);
    clearLogged();
    EXPECT_FALSE(parser.stateByIndex(index));
    EXPECT_EQ(warningLine("未找到指定的激发态: " + std::to_string(index)),
              loggedErr());
  }
}

struct ContributionListCase {
  std::string name;
  std::string body;
  std::vector<std::size_t> contributionsPerState;
};

TEST_F(ExcitedStateParserTest, ContributionListsEndAtTheFirstOtherLine) {
  const std::string c1 = contributionLine("45", "->", "47", "0.70123");
  const std::string c2 = contributionLine("44", "<-", "48", "-0.10000");
  const ContributionListCase cases[] = {
      {"blank line", stateLine(1) + c1 + c2 + c1 + "\n" + c2, {3}},
      {"next state", stateLine(1) + c1 + c2 + stateLine(2) + c1, {2, 1}},
      {"text line",
       stateLine(1) + c1 + " This state for optimization.\n" + c2,
       {1}},
      {"end of the log without newline",
       stateLine(1) + c1 + withoutNewline(c2),
       {2}},
      {"state at the end of the log", withoutNewline(stateLine(1)), {0}},
      {"no contributions", stateLine(1) + "\n" + stateLine(2), {0, 0}},
      {"consecutive states",
       stateLine(1) + stateLine(2) + stateLine(3) + c1,
       {0, 0, 1}},
  };
  for (const ContributionListCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcitedStateParser parser(load(kMarker + c.body));
    std::vector<std::size_t> counts;
    for (const ExcitedState& state : parser.allStates()) {
      counts.push_back(state.transitions.size());
    }
    EXPECT_EQ(c.contributionsPerState, counts);
  }
}

struct ContributionCase {
  std::string line;
  TransitionContribution expected;
};

TEST_F(ExcitedStateParserTest, ContributionLinesGiveOrbitalsSpinsAndArrow) {
  const ContributionCase cases[] = {
      {"      45 -> 47         0.70123", {45, 47, "", "", 0.70123, false}},
      {"      45B <- 47B      -0.10", {45, 47, "B", "B", -0.10, true}},
      {"      45A -> 47A       0.5", {45, 47, "A", "A", 0.5, false}},
      {"  7->8  0.25", {7, 8, "", "", 0.25, false}},
      {"  7A<-\t8 \t-1.5 rest", {7, 8, "A", "", -1.5, true}},
      {"  0 -> 2147483647  0.1", {0, 2147483647, "", "", 0.1, false}},
  };
  for (const ContributionCase& c : cases) {
    SCOPED_TRACE(c.line);
    ExcitedStateParser parser(load(kMarker + stateLine(1) + c.line + "\n"));
    const std::vector<ExcitedState> states = parser.allStates();
    ASSERT_EQ(1u, states.size());
    ASSERT_EQ(1u, states[0].transitions.size());
    const TransitionContribution& t = states[0].transitions[0];
    EXPECT_EQ(c.expected.fromOrbital, t.fromOrbital);
    EXPECT_EQ(c.expected.toOrbital, t.toOrbital);
    EXPECT_EQ(c.expected.fromSpin, t.fromSpin);
    EXPECT_EQ(c.expected.toSpin, t.toSpin);
    EXPECT_EQ(c.expected.coefficient, t.coefficient);
    EXPECT_EQ(c.expected.deexcitation, t.deexcitation);
  }
}

struct StateCase {
  std::string line;
  ExcitedState expected;
};

TEST_F(ExcitedStateParserTest, StateLinesGiveEveryField) {
  const StateCase cases[] = {
      {stateLine(1), {1, "Singlet", "A", 3.5013, 354.11, 0.0123, 0.0, {}}},
      {" Excited State   2:   3.024-A      1.2000 eV 1033.20 nm  f=0.0000  "
       "<S**2>=2.036",
       {2, "3.024", "A", 1.2, 1033.2, 0.0, 2.036, {}}},
      {" Excited State  12:      Triplet-B2U    -0.5000 eV  +99.00 nm  "
       "f=-0.0010  <S**2>=2.000\r",
       {12, "Triplet", "B2U", -0.5, 99.0, -0.001, 2.0, {}}},
      {"Excited State 3: Singlet-?Sym 1.00 eV 2.00 nm f=3.00 <S**2>=4.00",
       {3, "Singlet", "?Sym", 1.0, 2.0, 3.0, 4.0, {}}},
      {"Excited State 007: +1-A-B 1.00 eV 2.00 nm f=3.00 <S**2>=4.00",
       {7, "+1", "A-B", 1.0, 2.0, 3.0, 4.0, {}}},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.line);
    ExcitedStateParser parser(load(kMarker + c.line + "\n"));
    const std::vector<ExcitedState> states = parser.allStates();
    ASSERT_EQ(1u, states.size());
    const ExcitedState& s = states[0];
    EXPECT_EQ(c.expected.index, s.index);
    EXPECT_EQ(c.expected.multiplicity, s.multiplicity);
    EXPECT_EQ(c.expected.symmetry, s.symmetry);
    EXPECT_EQ(c.expected.energyEv, s.energyEv);
    EXPECT_EQ(c.expected.wavelengthNm, s.wavelengthNm);
    EXPECT_EQ(c.expected.oscillatorStrength, s.oscillatorStrength);
    EXPECT_EQ(c.expected.spinSquared, s.spinSquared);
  }
}

struct SectionCase {
  std::string name;
  std::string log;
  std::vector<std::size_t> statesPerBlock;
};

TEST_F(ExcitedStateParserTest, OnlyLinesInsideSectionsAreRead) {
  const SectionCase cases[] = {
      {"states before the first marker",
       stateLine(1) + stateLine(2) + kMarker + stateLine(3),
       {1}},
      {"marker without states",
       kMarker + " Total Energy\n" + kMarker + stateLine(1),
       {0, 1}},
      {"state line without the S**2 item",
       kMarker +
           " Excited State   1:      Singlet-A      3.5013 eV  354.11 nm  "
           "f=0.0123\n",
       {0}},
      {"marker line that also holds a state",
       " Excitation energies and oscillator strengths:" +
           withoutNewline(stateLine(1)) + "\n",
       {0}},
      {"contribution list ended by a marker",
       kMarker + stateLine(1) + contributionLine("1", "->", "2", "0.5") +
           kMarker + stateLine(1),
       {1, 1}},
      {"state far from its marker",
       kMarker + std::string(500, '\n') + " SCF Done\n" + stateLine(4),
       {1}},
  };
  for (const SectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcitedStateParser parser(load(c.log));
    std::vector<std::size_t> counts;
    for (const ExcitationBlock& block : parser.blocks()) {
      counts.push_back(block.states.size());
    }
    EXPECT_EQ(c.statesPerBlock, counts);
  }
}

TEST_F(ExcitedStateParserTest, CrLfLogReadsLikeLfLog) {
  std::string lf = section(3, 1.0) +
                   " Total Energy, E(TD-HF/TD-DFT) =  -76.4000000\n" +
                   section(2, 2.0);
  std::string crlf;
  for (const char c : lf)
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ExcitedStateParser lfParser(load(lf));
  const std::vector<ExcitationBlock> expected = lfParser.allBlocks();
  ExcitedStateParser crlfParser(load(crlf));
  const std::vector<ExcitationBlock> actual = crlfParser.allBlocks();
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t b = 0; b < expected.size(); ++b) {
    EXPECT_EQ(expected[b].totalEnergy, actual[b].totalEnergy);
    EXPECT_EQ(energiesOf(expected[b].states), energiesOf(actual[b].states));
    ASSERT_EQ(expected[b].states.size(), actual[b].states.size());
    for (std::size_t s = 0; s < expected[b].states.size(); ++s) {
      EXPECT_EQ(expected[b].states[s].symmetry, actual[b].states[s].symmetry);
      EXPECT_EQ(expected[b].states[s].transitions.size(),
                actual[b].states[s].transitions.size());
    }
  }
}

struct TotalEnergyCase {
  std::string name;
  std::string lines;
  double totalEnergy;
};

TEST_F(ExcitedStateParserTest, TotalEnergyIsTheSectionsLastValue) {
  const std::string label = " Total Energy, E(TD-HF/TD-DFT)";
  const TotalEnergyCase cases[] = {
      {"plain", label + " =  -76.4000000\n", -76.4},
      {"Fortran exponent", label + " =  -0.764D+02\n", -76.4},
      {"lower-case exponent", label + " = -0.764d+02\n", -76.4},
      {"E exponent", label + " = -7.64E+01\n", -76.4},
      {"no equals sign", label + "   -76.4000000\n", 0.0},
      {"no number", label + " =  n/a\n", 0.0},
      {"only a sign", label + " =  + x\n", 0.0},
      {"first equals sign", label + " = -76.4 = -1.0\n", -76.4},
      {"two lines", label + " = -76.4\n" + label + " = -77.5\n", -77.5},
      {"second line without a number", label + " = -76.4\n" + label + "\n",
       -76.4},
      {"after states", stateLine(1) + "\n" + label + " = -76.4\n", -76.4},
      {"right after a contribution",
       stateLine(1) + contributionLine("1", "->", "2", "0.5") + label +
           " = -76.4\n",
       -76.4},
  };
  for (const TotalEnergyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcitedStateParser parser(load(kMarker + c.lines));
    EXPECT_EQ(c.totalEnergy, parser.lastBlock().totalEnergy);
  }
  ExcitedStateParser before(load(label + " = -76.4\n" + kMarker));
  EXPECT_EQ(0.0, before.lastBlock().totalEnergy);
  ExcitedStateParser perSection(
      load(kMarker + label + " = -1.5\n" + kMarker + label + " = -2.5\n"));
  EXPECT_EQ(-1.5, perSection.blockByIndex(0).totalEnergy);
  EXPECT_EQ(-2.5, perSection.blockByIndex(1).totalEnergy);
}

struct MultiplicityCase {
  std::string kind;
  bool singlet;
  bool triplet;
};

TEST_F(ExcitedStateParserTest, MultiplicityDecidesSingletsAndTriplets) {
  const MultiplicityCase cases[] = {
      {"Singlet-A", true, false}, {"Triplet-A", false, true},
      {"1.5-A", true, false},     {"2.5-A", false, true},
      {"2.012-A", false, false},  {"3.024-A", false, true},
      {"1-A", true, false},       {"+3.0-A", false, true},
      {"1.7-A", false, false},    {"-1.0-A", false, false},
  };
  for (const MultiplicityCase& c : cases) {
    SCOPED_TRACE(c.kind);
    ExcitedStateParser parser(load(kMarker + stateLine(1, c.kind)));
    ASSERT_EQ(1u, parser.allStates().size());
    EXPECT_EQ(c.singlet, parser.singletStates().size() == 1);
    EXPECT_EQ(c.triplet, parser.tripletStates().size() == 1);
  }
}

TEST_F(ExcitedStateParserTest, BrightStatesKeepLogOrderFromTheMinimumUp) {
  ExcitedStateParser parser(
      load(kMarker + stateLine(1, "Singlet-A", "1.0", "2.0", "0.5000") +
           stateLine(2, "Singlet-A", "1.0", "2.0", "0.0099") +
           stateLine(3, "Triplet-A", "1.0", "2.0", "0.0100") +
           stateLine(4, "Singlet-A", "1.0", "2.0", "0.0101")));
  EXPECT_EQ(std::vector<std::int32_t>({1, 3, 4}),
            indicesOf(parser.brightStates(0.01)));
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3, 4}),
            indicesOf(parser.brightStates(0.0)));
  EXPECT_TRUE(parser.brightStates(0.6).empty());
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 4}),
            indicesOf(parser.singletStates()));
  EXPECT_EQ(std::vector<std::int32_t>({3}), indicesOf(parser.tripletStates()));
}

TEST_F(ExcitedStateParserTest, NoStatesWarnsOnceAtTheFirstQuery) {
  TempDirectory dir;
  const std::string path =
      dir.writeFile("plain.log", kHeader + kMarker + " no states here\n");
  const GaussianLogFile log(path);
  clearLogged();
  ExcitedStateParser parser(log);
  EXPECT_EQ("", loggedErr());
  EXPECT_EQ(1, parser.blockCount());
  const std::string warning =
      warningLine("在文件 '" + path + "' 中未找到TD-DFT激发态信息");
  EXPECT_EQ(warning, loggedErr());
  EXPECT_TRUE(parser.allStates().empty());
  EXPECT_TRUE(parser.singletStates().empty());
  EXPECT_TRUE(parser.brightStates(0.0).empty());
  parser.parse();
  EXPECT_TRUE(parser.lastBlock().states.empty());
  EXPECT_EQ(warning, loggedErr());
  EXPECT_EQ("", loggedOut());
}

TEST_F(ExcitedStateParserTest, ParsesOnceAndDoesNotSeeLaterLoads) {
  GaussianLogFile log;
  log.loadFromString(kHeader + section(2, 1.0));
  ExcitedStateParser parser(log);
  EXPECT_EQ(2u, parser.allStates().size());
  log.loadFromString(kHeader + section(3, 1.0) + section(3, 2.0));
  EXPECT_EQ(2u, parser.allStates().size());
  EXPECT_EQ(1, parser.blockCount());
  EXPECT_EQ("", loggedErr());
}

struct OutOfRangeCase {
  std::string name;
  std::string body;
  std::string what;
};

TEST_F(ExcitedStateParserTest, NumbersOutOfRangeThrowFromTheQuery) {
  const std::string huge = "1" + std::string(400, '0') + ".0";
  const OutOfRangeCase cases[] = {
      {"state number", stateLine(1).replace(17, 1, "99999999999"), "stoi"},
      {"state number just past 32 bits",
       stateLine(1).replace(17, 1, "2147483648"), "stoi"},
      {"energy", stateLine(1, "Singlet-A", huge), "stod"},
      {"wavelength", stateLine(1, "Singlet-A", "1.0", huge), "stod"},
      {"strength", stateLine(1, "Singlet-A", "1.0", "1.0", "-" + huge), "stod"},
      {"S**2",
       " Excited State   1:      Singlet-A      3.5013 eV  354.11 nm  "
       "f=0.0123  <S**2>=" +
           huge + "\n",
       "stod"},
      {"left label",
       stateLine(1) + contributionLine("99999999999", "->", "2", "0.5"),
       "stoi"},
      {"right label",
       stateLine(1) + contributionLine("1", "<-", "2147483648B", "0.5"),
       "stoi"},
      {"coefficient", stateLine(1) + contributionLine("1", "->", "2", huge),
       "stod"},
      {"coefficient too small for a double",
       stateLine(1) +
           contributionLine("1", "->", "2", "0." + std::string(400, '0') + "1"),
       "stod"},
      {"the first bad number in log order decides",
       stateLine(1, "Singlet-A", huge) +
           contributionLine("99999999999", "->", "2", "0.5"),
       "stod"},
      {"a bad number in an earlier section",
       stateLine(1) + contributionLine("99999999999", "->", "2", "0.5") +
           kMarker + stateLine(1),
       "stoi"},
  };
  for (const OutOfRangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExcitedStateParser parser(load(kMarker + c.body));
    try {
      parser.blockCount();
      ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(c.what.c_str(), e.what());
    }
  }
}

TEST_F(ExcitedStateParserTest, LongNumbersWithinRangeAreRead) {
  const std::string one = "1." + std::string(400, '0');
  ExcitedStateParser parser(load(
      kMarker + stateLine(1, "Singlet-A", one).replace(17, 1, "0000000000002") +
      contributionLine("000000000000045", "->", "46", one)));
  const ExcitationBlock block = parser.lastBlock();
  ASSERT_EQ(1u, block.states.size());
  EXPECT_EQ(2, block.states[0].index);
  EXPECT_EQ(1.0, block.states[0].energyEv);
  ASSERT_EQ(1u, block.states[0].transitions.size());
  EXPECT_EQ(45, block.states[0].transitions[0].fromOrbital);
  EXPECT_EQ(1.0, block.states[0].transitions[0].coefficient);
}

}  // namespace
}  // namespace nodara
