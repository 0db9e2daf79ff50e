// Tests of ConfigGenerator::extractOrbitalEnergies.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "catalogue/config_generator.h"
#include "gaussian/log_import_fixture.h"

namespace nodara {
namespace {

const std::string kHeader = " Entering Gaussian System, Link 0=g16\n";
const std::string kCondensed =
    "          Condensed to atoms (all electrons):\n";

std::string occupied(const std::string& values) {
  return " Alpha  occ. eigenvalues --  " + values + "\n";
}

std::string virtuals(const std::string& values) {
  return " Alpha virt. eigenvalues --  " + values + "\n";
}

/// Occupied orbitals 1-7 and virtual orbitals 8-12.
const std::string kTwelveOrbitals =
    kHeader + occupied("-10.10000  -1.20000  -0.83000  -0.64000  -0.55000") +
    occupied("-0.47000  -0.39000") +
    virtuals("0.02000   0.11000   0.23000   0.35000   0.48000") + kCondensed;

/// The table, one "key=index:energy" per entry, in key order.
std::string render(const OrbitalEnergyTable& table) {
  std::ostringstream text;
  for (const auto& [key, orbital] : table) {
    text << key << "=" << orbital.index << ":" << orbital.energy << " ";
  }
  return text.str();
}

class OrbitalEnergyImportTest : public LogImportFixture {
 protected:
  OrbitalEnergyImportTest()
      : LogImportFixture(&ConfigGenerator::extractOrbitalEnergies,
                         "从log文件提取轨道能量: ") {}
};

struct ImportCase {
  std::string name;
  std::string log;
  std::string table;
};

TEST_F(OrbitalEnergyImportTest, StoresTheFrontierOrbitalsFound) {
  const ImportCase cases[] = {
      {"twelve orbitals", kTwelveOrbitals,
       "h=7:-0.39 h-1=6:-0.47 l=8:0.02 l+1=9:0.11 "},
      {"HOMO is orbital 1",
       kHeader + occupied("-0.50000") + virtuals("0.10000   0.20000   0.30000"),
       "h=1:-0.5 l=2:0.1 l+1=3:0.2 "},
      {"one virtual orbital",
       kHeader + occupied("-0.60000  -0.50000") + virtuals("0.10000"),
       "h=2:-0.5 h-1=1:-0.6 l=3:0.1 "},
      {"last of several blocks",
       kTwelveOrbitals + occupied("-0.90000  -0.80000") +
           virtuals("0.70000  0.75000"),
       "h=2:-0.8 h-1=1:-0.9 l=3:0.7 l+1=4:0.75 "},
      {"occupied lines without a later virtual line",
       kHeader + virtuals("0.10000") + occupied("-0.50000"), ""},
      {"no eigenvalues", kHeader + " SCF Done\n", ""},
  };
  for (const ImportCase& c : cases) {
    SCOPED_TRACE(c.name);
    generator_.orbitalEnergies.clear();
    EXPECT_TRUE(importLog(c.log));
    EXPECT_EQ(c.table, render(generator_.orbitalEnergies));
    EXPECT_EQ(pathLine() + "成功提取 " +
                  std::to_string(generator_.orbitalEnergies.size()) +
                  " 个轨道能量\n",
              out_.str());
    EXPECT_EQ("", err_.str());
    EXPECT_EQ("", loggedErr());
  }
}

TEST_F(OrbitalEnergyImportTest, KeepsEntriesOfEarlierCalls) {
  ASSERT_TRUE(importLog(kTwelveOrbitals));
  ASSERT_TRUE(importLog(kHeader + occupied("-0.50000") + virtuals("0.10000")));
  EXPECT_EQ("h=1:-0.5 h-1=6:-0.47 l=2:0.1 l+1=9:0.11 ",
            render(generator_.orbitalEnergies));
  EXPECT_EQ(pathLine() + "成功提取 4 个轨道能量\n", out_.str());
}

TEST_F(OrbitalEnergyImportTest, InvalidLogLeavesTheTableAlone) {
  ASSERT_TRUE(importLog(kTwelveOrbitals));
  const std::string before = render(generator_.orbitalEnergies);
  for (const std::string& content :
       {std::string(" not a log\n"), std::string()}) {
    SCOPED_TRACE(content);
    EXPECT_FALSE(importLog(content));
    EXPECT_EQ(before, render(generator_.orbitalEnergies));
    EXPECT_EQ(pathLine(), out_.str());
    EXPECT_EQ("", err_.str());
    EXPECT_EQ("", loggedErr());
  }
  generator_.logFile = (dir_.path() / "missing.log").string();
  EXPECT_FALSE(runImport());
  EXPECT_EQ(before, render(generator_.orbitalEnergies));
  EXPECT_EQ(pathLine(), out_.str());
  EXPECT_EQ("", err_.str());
  EXPECT_EQ(errorLine("无法打开文件: " + generator_.logFile), loggedErr());
}

}  // namespace
}  // namespace nodara
