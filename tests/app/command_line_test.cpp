#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace nodara {
namespace {

using Action = CommandLine::Action;

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += "[" + word + "]";
  return text;
}

TEST(ParseCommandLineTest, NoWordsGiveTheDefaults) {
  const CommandLine line = parseCommandLine({});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ(".", line.settings.scanDirectory);
  EXPECT_EQ("nodara-config.json", line.settings.outputFile);
  EXPECT_EQ("", line.settings.logFile);
  EXPECT_EQ(0.1, line.settings.threshold);
  EXPECT_EQ("#0000FF", line.settings.color1);
  EXPECT_EQ("#FF0000", line.settings.color2);
  EXPECT_EQ("", line.offendingWord);
}

TEST(ParseCommandLineTest, EveryOptionSetsItsValue) {
  const CommandLine line =
      parseCommandLine({"-d", "cubes", "-o", "out.json", "-l", "mol.log", "-t",
                        "0.15", "-c1", "red", "-c2", "#00FF00"});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ("cubes", line.settings.scanDirectory);
  EXPECT_EQ("out.json", line.settings.outputFile);
  EXPECT_EQ("mol.log", line.settings.logFile);
  EXPECT_EQ(0.15, line.settings.threshold);
  EXPECT_EQ("red", line.settings.color1);
  EXPECT_EQ("#00FF00", line.settings.color2);
}

struct StopCase {
  std::vector<std::string> words;
  Action action;
  std::string offendingWord;
};

const StopCase kStopCases[] = {
    // Help at any option position; nothing after it is looked at.
    {{"-h"}, Action::ShowHelp, "-h"},
    {{"--help"}, Action::ShowHelp, "--help"},
    {{"-d", "mol", "-h"}, Action::ShowHelp, "-h"},
    {{"-d", "mol", "--help", "-x"}, Action::ShowHelp, "--help"},
    {{"-h", "-x"}, Action::ShowHelp, "-h"},
    {{"-h", "-t", "abc"}, Action::ShowHelp, "-h"},
    {{"-o", "a", "-c1", "b", "-h", "extra"}, Action::ShowHelp, "-h"},
    // Unknown words at an option position.
    {{"mol"}, Action::UnknownOption, "mol"},
    {{"-H"}, Action::UnknownOption, "-H"},
    {{"--HELP"}, Action::UnknownOption, "--HELP"},
    {{"-help"}, Action::UnknownOption, "-help"},
    {{"-c3", "x"}, Action::UnknownOption, "-c3"},
    {{"-D", "x"}, Action::UnknownOption, "-D"},
    {{"-dmol"}, Action::UnknownOption, "-dmol"},
    {{"--dir", "x"}, Action::UnknownOption, "--dir"},
    {{""}, Action::UnknownOption, ""},
    {{"-d", "a", "extra"}, Action::UnknownOption, "extra"},
    {{"-x", "-h"}, Action::UnknownOption, "-x"},
    {{"-d", "a", "-x", "-h"}, Action::UnknownOption, "-x"},
    // An option standing last has no value.
    {{"-d"}, Action::UnknownOption, "-d"},
    {{"-o"}, Action::UnknownOption, "-o"},
    {{"-l"}, Action::UnknownOption, "-l"},
    {{"-t"}, Action::UnknownOption, "-t"},
    {{"-c1"}, Action::UnknownOption, "-c1"},
    {{"-c2"}, Action::UnknownOption, "-c2"},
    {{"-d", "a", "-o"}, Action::UnknownOption, "-o"},
    // A "-t" value without a number ends parsing at its option.
    {{"-t", "abc"}, Action::InvalidThreshold, "abc"},
    {{"-t", ""}, Action::InvalidThreshold, ""},
    {{"-t", "inf"}, Action::InvalidThreshold, "inf"},
    {{"-t", "1e999"}, Action::InvalidThreshold, "1e999"},
    {{"-t", "abc", "-h"}, Action::InvalidThreshold, "abc"},
    {{"-t", "abc", "-x"}, Action::InvalidThreshold, "abc"},
    {{"-d", "a", "-t", "x", "-t", "0.2"}, Action::InvalidThreshold, "x"},
    {{"-x", "-t", "abc"}, Action::UnknownOption, "-x"},
};

TEST(ParseCommandLineTest, StopsAtHelpUnknownOptionOrInvalidThreshold) {
  for (const StopCase& c : kStopCases) {
    SCOPED_TRACE(joined(c.words));
    const CommandLine line = parseCommandLine(c.words);
    EXPECT_EQ(c.action, line.action);
    if (c.action != Action::ShowHelp) {
      EXPECT_EQ(c.offendingWord, line.offendingWord);
    }
  }
}

TEST(ParseCommandLineTest, ValueMayLookLikeAnOption) {
  const CommandLine line = parseCommandLine({"-d", "-h"});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ("-h", line.settings.scanDirectory);
}

TEST(ParseCommandLineTest, ValuesAreTakenVerbatim) {
  const CommandLine line =
      parseCommandLine({"-o", "--help", "-c1", "-x", "-c2", " a b ", "-d", ""});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ("--help", line.settings.outputFile);
  EXPECT_EQ("-x", line.settings.color1);
  EXPECT_EQ(" a b ", line.settings.color2);
  EXPECT_EQ("", line.settings.scanDirectory);
}

TEST(ParseCommandLineTest, LaterValueWins) {
  const CommandLine line = parseCommandLine(
      {"-o", "a.json", "-o", "b.json", "-t", "0.3", "-t", "0.05x"});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ("b.json", line.settings.outputFile);
  EXPECT_EQ(0.05, line.settings.threshold);
}

TEST(ParseCommandLineTest, EmptyLogMeansNoLog) {
  const CommandLine line = parseCommandLine({"-l", "a.log", "-l", ""});
  EXPECT_EQ(Action::Run, line.action);
  EXPECT_EQ("", line.settings.logFile);
}

TEST(ParseCommandLineTest, ThresholdsWithoutRangeCheck) {
  EXPECT_EQ(-1.0, parseCommandLine({"-t", "-1"}).settings.threshold);
  EXPECT_EQ(0.0, parseCommandLine({"-t", "0"}).settings.threshold);
  EXPECT_EQ(0.05, parseCommandLine({"-t", "5e-2"}).settings.threshold);
}

struct ThresholdCase {
  std::string word;
  std::optional<double> value;
};

const ThresholdCase kThresholdCases[] = {
    {"0.1", 0.1},
    {"0.15", 0.15},
    {"5e-2", 0.05},
    {"5E-2", 0.05},
    {"1e+2", 100.0},
    {"1e2", 100.0},
    {"-1", -1.0},
    {"+2", 2.0},
    {"0", 0.0},
    {"-0", -0.0},
    {"10", 10.0},
    {".5", 0.5},
    {"-.5", -0.5},
    {"5.", 5.0},
    {"007", 7.0},
    {"1e-300", 1e-300},
    {"1e308", 1e308},
    {"0e999", 0.0},
    // Leading white space is skipped.
    {" 0.2", 0.2},
    {"\t\n 3", 3.0},
    // The longest numeric prefix counts; the rest is ignored.
    {"0.05x", 0.05},
    {"0.3 ", 0.3},
    {"1e", 1.0},
    {"1e+", 1.0},
    {"1e-", 1.0},
    {"1ex", 1.0},
    {"1.5e-3x", 0.0015},
    {"2..5", 2.0},
    {"1e2e3", 100.0},
    {"1,5", 1.0},
    {"0x10", 0.0},
    {"1f", 1.0},
    {"3-4", 3.0},
    // No leading number.
    {"", std::nullopt},
    {" ", std::nullopt},
    {"abc", std::nullopt},
    {"x1", std::nullopt},
    {"inf", std::nullopt},
    {"-inf", std::nullopt},
    {"infinity", std::nullopt},
    {"nan", std::nullopt},
    {"NaN", std::nullopt},
    {".", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"-.", std::nullopt},
    {"+-1", std::nullopt},
    {"e5", std::nullopt},
    {".e5", std::nullopt},
    {"--1", std::nullopt},
    {",5", std::nullopt},
    // Out of a double's range.
    {"1e999", std::nullopt},
    {"-1e999", std::nullopt},
    {"1e-400", std::nullopt},
    {"-1e-400", std::nullopt},
    {"1e400x", std::nullopt},
};

TEST(ParseThresholdTest, Table) {
  for (const ThresholdCase& c : kThresholdCases) {
    SCOPED_TRACE("\"" + c.word + "\"");
    const std::optional<double> value = parseThreshold(c.word);
    ASSERT_EQ(c.value.has_value(), value.has_value());
    if (c.value) {
      EXPECT_EQ(*c.value, *value);
      EXPECT_EQ(std::signbit(*c.value), std::signbit(*value));
    }
  }
}

}  // namespace
}  // namespace nodara
