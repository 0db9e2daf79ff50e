// Tests of ConfigGenerator::extractExcitedStates.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "catalogue/config_generator.h"
#include "gaussian/log_import_fixture.h"

namespace nodara {
namespace {

const std::string kHeader = " Entering Gaussian System, Link 0=g16\n";
const std::string kMarker =
    " Excitation energies and oscillator strengths:\n\n";

std::string stateLine(int index, const std::string& wavelength = "354.11",
                      const std::string& strength = "0.0123") {
  return " Excited State   " + std::to_string(index) +
         ":      Singlet-A      3.5013 eV  " + wavelength +
         " nm  f=" + strength + "  <S**2>=0.000\n";
}

std::string contributionLine(const std::string& from, const std::string& arrow,
                             const std::string& to,
                             const std::string& coefficient) {
  return "      " + from + " " + arrow + " " + to + "        " + coefficient +
         "\n";
}

/// States 1 to `count`, wavelength 100+i nm, one contribution i -> 50.
std::string section(int count) {
  std::string text = kMarker;
  for (int i = 1; i <= count; ++i) {
    text += stateLine(i, std::to_string(100 + i) + ".0") +
            contributionLine(std::to_string(i), "->", "50", "0.50000") + "\n";
  }
  return text;
}

/// The stored texts, one "key|wavelength|strength|transitions" per entry.
std::string render(const std::map<std::string, ExcitedStateText>& states) {
  std::string text;
  for (const auto& [key, value] : states) {
    text += key + "|" + value.wavelengthText + "|" + value.oscillatorText +
            "|" + value.transitionsText + "\n";
  }
  return text;
}

class ExcitedStateImportTest : public LogImportFixture {
 protected:
  ExcitedStateImportTest()
      : LogImportFixture(&ConfigGenerator::extractExcitedStates,
                         "从log文件提取激发态数据: ") {}
};

TEST_F(ExcitedStateImportTest, StoresTheTextsOfTheLastSection) {
  generator_.threshold = 0.05;
  ASSERT_TRUE(importLog(kHeader + section(3) + kMarker +
                        stateLine(1, "354.127", "0.00123") +
                        contributionLine("45", "->", "47", "0.70123") +
                        contributionLine("44", "<-", "48", "-0.10000") +
                        contributionLine("45A", "->", "47B", "0.2") + "\n" +
                        stateLine(2, "300.0", "0.0") + "\n"));
  EXPECT_EQ(
      "S1|354.13|0.0012|45->47=0.70123\n44<-48=-0.10000\n45->47=0.20000\n"
      "S2|300.00|0.0000|\n",
      render(generator_.excitedStates));
  EXPECT_EQ(pathLine() + "成功提取 2 个激发态数据\n", out_.str());
  EXPECT_EQ("", err_.str());
  EXPECT_EQ("", loggedErr());
}

struct ThresholdCase {
  double threshold;
  std::string transitions;
};

TEST_F(ExcitedStateImportTest, KeepsContributionsStrictlyAboveTheThreshold) {
  const std::string log = kHeader + kMarker + stateLine(1) +
                          contributionLine("1", "->", "2", "0.70123") +
                          contributionLine("3", "<-", "4", "-0.10000") +
                          contributionLine("5", "->", "6", "0.10000") +
                          contributionLine("7", "->", "8", "0.00000") +
                          contributionLine("9", "->", "10", "-0.05000");
  const ThresholdCase cases[] = {
      {0.1, "1->2=0.70123"},
      {0.05, "1->2=0.70123\n3<-4=-0.10000\n5->6=0.10000"},
      {0.0, "1->2=0.70123\n3<-4=-0.10000\n5->6=0.10000\n9->10=-0.05000"},
      {-1.0,
       "1->2=0.70123\n3<-4=-0.10000\n5->6=0.10000\n7->8=0.00000\n"
       "9->10=-0.05000"},
      {0.70123, ""},
      {0.7, "1->2=0.70123"},
  };
  for (const ThresholdCase& c : cases) {
    SCOPED_TRACE(c.threshold);
    generator_.threshold = c.threshold;
    ASSERT_TRUE(importLog(log));
    ASSERT_EQ(1u, generator_.excitedStates.count("S1"));
    EXPECT_EQ(c.transitions, generator_.excitedStates["S1"].transitionsText);
  }
}

TEST_F(ExcitedStateImportTest, StoresStatesUpToTen) {
  ASSERT_TRUE(importLog(kHeader + section(12)));
  std::string keys;
  for (const auto& entry : generator_.excitedStates) keys += entry.first + " ";
  EXPECT_EQ("S1 S10 S2 S3 S4 S5 S6 S7 S8 S9 ", keys);
  EXPECT_EQ("110.00", generator_.excitedStates["S10"].wavelengthText);
  EXPECT_EQ(pathLine() + "成功提取 10 个激发态数据\n", out_.str());

  // The first state above 10 ends the list.
  ASSERT_TRUE(importLog(kHeader + kMarker + stateLine(1) + stateLine(2) +
                        stateLine(11) + stateLine(3)));
  EXPECT_EQ("S1|354.11|0.0123|\nS2|354.11|0.0123|\n",
            render(generator_.excitedStates));
}

TEST_F(ExcitedStateImportTest, SecondCallKeepsOnlyItsOwnEntries) {
  ASSERT_TRUE(importLog(kHeader + section(3)));
  ASSERT_EQ(3u, generator_.excitedStates.size());
  ASSERT_TRUE(importLog(kHeader + kMarker + stateLine(1, "500.0", "0.5")));
  EXPECT_EQ("S1|500.00|0.5000|\n", render(generator_.excitedStates));
  EXPECT_EQ(pathLine() + "成功提取 1 个激发态数据\n", out_.str());
}

TEST_F(ExcitedStateImportTest, SectionWithoutStatesStoresNothing) {
  ASSERT_TRUE(importLog(kHeader + section(2) + kMarker + " no states\n"));
  EXPECT_TRUE(generator_.excitedStates.empty());
  EXPECT_EQ(pathLine() + "成功提取 0 个激发态数据\n", out_.str());
  EXPECT_EQ("", err_.str());
}

struct FailureCase {
  std::string name;
  std::string content;
  std::string err;
};

TEST_F(ExcitedStateImportTest, FailuresReportAndLeaveNoEntries) {
  const std::string huge = "1" + std::string(400, '0') + ".0";
  const FailureCase cases[] = {
      {"not Gaussian output", " some other program\n" + section(2),
       "无效的Gaussian文件\n"},
      {"empty file", "", "无效的Gaussian文件\n"},
      {"no TD section", kHeader + stateLine(1),
       "未在log中找到TDDFT段落（Excitation energies and oscillator "
       "strengths:），退出。\n"},
      {"orbital number beyond 32 bits",
       kHeader + kMarker + stateLine(1) +
           contributionLine("99999999999", "->", "2", "0.5"),
       "提取激发态数据失败: stoi\n"},
      {"state number beyond 32 bits",
       kHeader + kMarker + stateLine(1).replace(17, 1, "2147483648"),
       "提取激发态数据失败: stoi\n"},
      {"coefficient beyond double",
       kHeader + kMarker + stateLine(1) +
           contributionLine("1", "->", "2", huge),
       "提取激发态数据失败: stod\n"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(importLog(kHeader + section(2)));
    EXPECT_FALSE(importLog(c.content));
    EXPECT_TRUE(generator_.excitedStates.empty());
    EXPECT_EQ(pathLine(), out_.str());
    EXPECT_EQ(c.err, err_.str());
    EXPECT_EQ("", loggedErr());
  }
}

TEST_F(ExcitedStateImportTest, MissingFileReportsTheLoaderError) {
  generator_.logFile = (dir_.path() / "missing.log").string();
  EXPECT_FALSE(runImport());
  EXPECT_EQ(pathLine(), out_.str());
  EXPECT_EQ("无效的Gaussian文件\n", err_.str());
  EXPECT_EQ(errorLine("无法打开文件: " + generator_.logFile), loggedErr());
}

}  // namespace
}  // namespace nodara
