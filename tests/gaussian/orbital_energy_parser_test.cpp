#include "gaussian/orbital_energy_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "gaussian/library_log_capture.h"

namespace nodara {
namespace {

const std::string kHeader = " Entering Gaussian System, Link 0=g16\n";
const std::string kOccupied5 =
    " Alpha  occ. eigenvalues --  -10.10000  -1.20000  -0.83000  -0.64000"
    "  -0.55000\n";
const std::string kOccupied2 =
    " Alpha  occ. eigenvalues --   -0.47000  -0.39000\n";
const std::string kVirtual5 =
    " Alpha virt. eigenvalues --    0.02000   0.11000   0.23000   0.35000"
    "   0.48000\n";
const std::string kCondensed =
    "          Condensed to atoms (all electrons):\n";

/// Occupied lines with 5 and 2 values, one virtual line with 5: orbitals
/// 1-12, HOMO 7.
const std::string kTwelveOrbitals =
    kHeader + " The electronic state is 1-A.\n" + kOccupied5 + kOccupied2 +
    kVirtual5 + kCondensed;

const double kTwelveEnergies[] = {-10.1, -1.2, -0.83, -0.64, -0.55, -0.47,
                                  -0.39, 0.02, 0.11,  0.23,  0.35,  0.48};

std::vector<std::int32_t> indicesOf(const std::vector<OrbitalEnergy>& list) {
  std::vector<std::int32_t> indices;
  for (const OrbitalEnergy& orbital : list) indices.push_back(orbital.index);
  return indices;
}

std::vector<double> energiesOf(const std::vector<OrbitalEnergy>& list) {
  std::vector<double> energies;
  for (const OrbitalEnergy& orbital : list) energies.push_back(orbital.energy);
  return energies;
}

struct EigenvalueLineCase {
  std::string line;
  std::vector<double> values;
};

TEST(OrbitalEnergyParserTest, ParseEigenvalueLineReadsTheNumbersAfterDashes) {
  const EigenvalueLineCase cases[] = {
      {" Alpha  occ. eigenvalues --  -19.13781  -1.00588  -0.51916",
       {-19.13781, -1.00588, -0.51916}},
      {" Alpha  occ. eigenvalues -- -10.20000-10.19000 -0.5",
       {-10.2, -10.19, -0.5}},
      {" Alpha virt. eigenvalues --   0.06211-0.1", {0.06211, -0.1}},
      {" Alpha virt. eigenvalues --    0.06211 ********   0.30000", {0.06211}},
      {" Alpha virt. eigenvalues -- **********", {}},
      {" Alpha  occ. eigenvalues    -0.50000  -0.40000", {}},
      {" Alpha  occ. eigenvalues - -0.50000", {}},
      {" Alpha  occ. eigenvalues --", {}},
      {"-- 1.5E-01 -2.0e+00 3E2", {0.15, -2.0, 300.0}},
      {"--0.5\t0.6\r", {0.5, 0.6}},
      {"-- 1.0 -- 2.0", {1.0}},
      {"---1.0", {-1.0}},
      {"-- 1.0abc 2.0", {1.0}},
      {"-- 1.0D+02 2.0", {1.0}},
      {"x --  +2.5 .5", {2.5, 0.5}},
  };
  for (const EigenvalueLineCase& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(c.values, OrbitalEnergyParser::parseEigenvalueLine(c.line));
  }
}

/// Parses logs while the library logger's lines are captured.
class OrbitalEnergyParserLogTest : public LibraryLogCapture {
 protected:
  GaussianLogFile& load(const std::string& text) {
    log_.loadFromString(text);
    clearLogged();
    return log_;
  }

  GaussianLogFile log_;
};

TEST_F(OrbitalEnergyParserLogTest, NumbersOccupiedThenVirtualOrbitals) {
  const OrbitalEnergyParser parser(load(kTwelveOrbitals));
  const std::vector<OrbitalEnergy> orbitals = parser.allOrbitals();
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
            indicesOf(orbitals));
  EXPECT_EQ(std::vector<double>(std::begin(kTwelveEnergies),
                                std::end(kTwelveEnergies)),
            energiesOf(orbitals));
  EXPECT_EQ(7, parser.homoOrbitalIndex());
  EXPECT_EQ(infoLine("成功解析 12 个轨道能量"), loggedOut());
  EXPECT_EQ("", loggedErr());
}

struct ParseCase {
  std::string name;
  std::string log;
  std::vector<double> energies;
  std::optional<std::int32_t> homo;
};

const std::string kBeta =
    " Beta  occ. eigenvalues --   -9.00000  -8.00000\n"
    " Beta virt. eigenvalues --    7.00000\n";

/// Logs, the orbital energies read from them and the HOMO's number.
const ParseCase kParseCases[] = {
    {"two blocks",
     kHeader + " Alpha  occ. eigenvalues --   -5.00000\n" +
         " Alpha virt. eigenvalues --    5.00000   6.00000\n" + kCondensed +
         kOccupied2 + " Alpha virt. eigenvalues --    0.02000\n" + kCondensed,
     {-0.47, -0.39, 0.02},
     2},
    {"beta lines between alpha lines",
     kHeader + kOccupied2 + kVirtual5 + kBeta +
         " Alpha virt. eigenvalues --    0.60000\n" + kCondensed,
     {-0.47, -0.39, 0.02, 0.11, 0.23, 0.35, 0.48, 0.6},
     2},
    {"no Condensed line: virtual lines up to the end",
     kHeader + kOccupied2 + " Alpha virt. eigenvalues --    0.02000\n" +
         " other output\n" + " Alpha virt. eigenvalues --    0.90000\n",
     {-0.47, -0.39, 0.02, 0.9},
     2},
    {"Condensed ends the virtual block",
     kHeader + kOccupied2 + " Alpha virt. eigenvalues --    0.02000\n" +
         kCondensed + " Alpha virt. eigenvalues --    0.90000\n",
     {-0.47, -0.39, 0.02},
     2},
    {"occupied without a later virtual line",
     kHeader + " Alpha virt. eigenvalues --    0.02000\n" + kOccupied2,
     {},
     std::nullopt},
    {"asterisks cut a virtual line",
     kHeader + kOccupied2 +
         " Alpha virt. eigenvalues --    0.02000********   0.30000\n" +
         " Alpha virt. eigenvalues --    0.40000\n",
     {-0.47, -0.39, 0.02, 0.4},
     2},
    {"occupied lines without numbers",
     kHeader + " Alpha  occ. eigenvalues -- **********\n" +
         " Alpha virt. eigenvalues --    0.02000   0.11000\n",
     {0.02, 0.11},
     std::nullopt},
    {"an earlier occupied block is not joined across a gap",
     kHeader + kOccupied5 + " (gap)\n" + kOccupied2 +
         " Alpha virt. eigenvalues --    0.02000\n",
     {-0.47, -0.39, 0.02},
     2},
};

TEST_F(OrbitalEnergyParserLogTest, ReadsTheLastBlockOnly) {
  for (const ParseCase& c : kParseCases) {
    SCOPED_TRACE(c.name);
    const OrbitalEnergyParser parser(load(c.log));
    EXPECT_EQ(c.energies, energiesOf(parser.allOrbitals()));
    EXPECT_EQ(c.homo, parser.homoOrbitalIndex());
  }
}

struct MessageCase {
  std::string name;
  std::string log;
  std::string err;
  std::string out;
};

TEST_F(OrbitalEnergyParserLogTest, ParseReportsWhatItFound) {
  const MessageCase cases[] = {
      {"no occupied line", kHeader + kVirtual5,
       warningLine("未找到轨道能量信息"), ""},
      {"no virtual line after", kHeader + kVirtual5 + kOccupied2,
       warningLine("未找到虚轨道能量信息"), ""},
      {"headings without numbers",
       kHeader + " Alpha  occ. eigenvalues --\n" +
           " Alpha virt. eigenvalues -- ****\n",
       warningLine("未解析到轨道能量数据"), ""},
      {"orbitals read", kHeader + kOccupied2 + kVirtual5, "",
       infoLine("成功解析 7 个轨道能量")},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const OrbitalEnergyParser parser(load(c.log));
    EXPECT_EQ(c.err, loggedErr());
    EXPECT_EQ(c.out, loggedOut());
  }
}

TEST_F(OrbitalEnergyParserLogTest, ParseAgainStartsFromAnEmptyList) {
  OrbitalEnergyParser parser(load(kTwelveOrbitals));
  parser.parse();
  EXPECT_EQ(12u, parser.allOrbitals().size());
  load(kHeader + kOccupied2);
  parser.parse();
  EXPECT_TRUE(parser.allOrbitals().empty());
  EXPECT_FALSE(parser.homoOrbitalIndex());
  EXPECT_TRUE(parser.selectOrbitals("all").empty());
  EXPECT_TRUE(parser.selectOrbitals("1").empty());
}

struct SelectCase {
  std::string spec;
  std::vector<std::int32_t> indices;
};

/// Specs and the orbitals they select among the twelve orbitals.
const SelectCase kSelectCases[] = {
    {"h", {7}},
    {"l", {8}},
    {"h-1", {6}},
    {"l+1", {9}},
    {"h+1", {8}},
    {"l-1", {7}},
    {"H-1", {6}},
    {"L+1", {9}},
    {"ALL", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"all", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"h, l ,h", {7, 8}},
    {"3,1,3", {3, 1}},
    {" 3 ,\t1\t, ,", {3, 1}},
    {",,,", {}},
    {"h,all", {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}},
    {"5-3", {3, 4, 5}},
    {"3-5", {3, 4, 5}},
    {"4-4", {4}},
    {"11-20", {11, 12}},
    {"20-30", {}},
    {"1-2000000000", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"2000000000-12", {12}},
    {"1-99999999999", {}},
    {"0-3", {}},
    {"3-", {}},
    {"-3", {}},
    {"3--5", {}},
    {"a-b", {}},
    {"1", {1}},
    {"12", {12}},
    {"0012", {12}},
    {"13", {}},
    {"0", {}},
    {"99999999999", {}},
    {"h+", {}},
    {"h-", {}},
    {"hx", {}},
    {"h1", {}},
    {"homo", {}},
    {"lumo", {}},
    {"x", {}},
    {"", {}},
    {" h", {}},
    {"h ", {}},
    {"h-1abc", {6}},
    {"h+ 1", {8}},
    {"h--1", {8}},
    {"h-+1", {6}},
    {"h-7", {}},
    {"h-6", {1}},
    {"l+4", {12}},
    {"l+1000", {}},
    {"h+2147483647", {}},
    {"l+2147483647", {}},
    {"h-2147483647", {}},
    {"h-2147483648", {}},
    {"h+99999999999", {}},
};

TEST_F(OrbitalEnergyParserLogTest, SelectOrbitalsResolvesSpecs) {
  const OrbitalEnergyParser parser(load(kTwelveOrbitals));
  for (const SelectCase& c : kSelectCases) {
    SCOPED_TRACE("spec \"" + c.spec + "\"");
    const std::vector<OrbitalEnergy> selected = parser.selectOrbitals(c.spec);
    EXPECT_EQ(c.indices, indicesOf(selected));
    for (const OrbitalEnergy& orbital : selected) {
      EXPECT_EQ(kTwelveEnergies[orbital.index - 1], orbital.energy);
    }
  }
  EXPECT_EQ("", loggedErr());
}

TEST_F(OrbitalEnergyParserLogTest, LongListsKeepTheFirstAppearanceOfEach) {
  const OrbitalEnergyParser parser(load(kTwelveOrbitals));
  std::string spec = "3";
  for (int i = 0; i < 20000; ++i) spec += i % 2 == 0 ? ",h" : ", all ";
  EXPECT_EQ(std::vector<std::int32_t>({3, 7, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12}),
            indicesOf(parser.selectOrbitals(spec)));
}

TEST_F(OrbitalEnergyParserLogTest, RelativeSpecsNeedOccupiedOrbitals) {
  const OrbitalEnergyParser parser(
      load(kHeader + " Alpha  occ. eigenvalues -- ****\n" + kVirtual5));
  EXPECT_EQ(std::vector<std::int32_t>({1, 2, 3, 4, 5}),
            indicesOf(parser.selectOrbitals("all")));
  EXPECT_EQ(std::vector<std::int32_t>({2}),
            indicesOf(parser.selectOrbitals("2")));
  for (const std::string spec : {"h", "l", "l+1", "h-1"}) {
    SCOPED_TRACE(spec);
    EXPECT_TRUE(parser.selectOrbitals(spec).empty());
  }
}

TEST_F(OrbitalEnergyParserLogTest, OrbitalByIndexWarnsWhenThereIsNone) {
  const OrbitalEnergyParser parser(load(kTwelveOrbitals));
  for (const std::int32_t index : {1, 7, 12}) {
    const std::optional<OrbitalEnergy> orbital = parser.orbitalByIndex(index);
    ASSERT_TRUE(orbital);
    EXPECT_EQ(index, orbital->index);
    EXPECT_EQ(kTwelveEnergies[index - 1], orbital->energy);
  }
  EXPECT_EQ("", loggedErr());
  for (const std::int32_t index : {13, 0, -1, INT32_MIN}) {
    SCOPED_TRACE(index);
    clearLogged();
    EXPECT_FALSE(parser.orbitalByIndex(index));
    EXPECT_EQ(warningLine("未找到指定轨道: " + std::to_string(index)),
              loggedErr());
  }
}

TEST_F(OrbitalEnergyParserLogTest, FrontierEnergiesComeFromTheLastLines) {
  const OrbitalEnergyParser parser(load(kTwelveOrbitals));
  const FrontierEnergies energies = parser.frontierEnergies();
  ASSERT_TRUE(energies.valid);
  EXPECT_EQ(-0.39, energies.homo);
  EXPECT_EQ(0.02, energies.lumo);
  EXPECT_EQ(0.02 - -0.39, energies.gap);
  EXPECT_EQ(-0.39, parser.homoEnergy());
  EXPECT_EQ(0.02, parser.lumoEnergy());
  EXPECT_EQ(0.02 - -0.39, parser.homoLumoGap());
  EXPECT_EQ("", loggedErr());
}

TEST_F(OrbitalEnergyParserLogTest, FrontierEnergiesReportWhatIsMissing) {
  const MessageCase cases[] = {
      {"no occupied line", kHeader + kVirtual5,
       warningLine("未找到占据轨道能量"), ""},
      {"last occupied line without numbers",
       kHeader + kOccupied2 + " Alpha  occ. eigenvalues -- *****\n" + kVirtual5,
       warningLine("无法解析占据轨道能量"), ""},
      {"no virtual line after the occupied ones", kHeader + kOccupied2,
       warningLine("未找到虚轨道能量"), ""},
      {"first virtual line without numbers",
       kHeader + kOccupied2 + " Alpha virt. eigenvalues -- ****\n" + kVirtual5,
       warningLine("无法解析虚轨道能量"), ""},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const OrbitalEnergyParser parser(load(c.log));
    clearLogged();
    EXPECT_FALSE(parser.frontierEnergies().valid);
    EXPECT_EQ(c.err, loggedErr());
    EXPECT_FALSE(parser.homoEnergy());
    EXPECT_FALSE(parser.lumoEnergy());
    EXPECT_FALSE(parser.homoLumoGap());
  }
}

}  // namespace
}  // namespace nodara
