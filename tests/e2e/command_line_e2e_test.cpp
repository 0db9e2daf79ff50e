// The tool's command line end to end: settings echo, help, unknown options
// and invalid thresholds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"
#include "support/expected_usage.h"

namespace nodara {
namespace {

class CommandLineE2eTest : public E2eFixture {};

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += "[" + word + "]";
  return text;
}

EchoedSettings withThreshold(const std::string& threshold) {
  EchoedSettings settings;
  settings.threshold = threshold;
  return settings;
}

// Each run scans a directory without cube files (the test directory holds
// only an empty directory named -h), so it stops right after the echo.
TEST_F(CommandLineE2eTest, EchoesTheSettingsInForce) {
  struct Case {
    std::vector<std::string> arguments;
    EchoedSettings echoed;
  };
  EchoedSettings logGiven;
  logGiven.logFile = "calc.log";
  EchoedSettings red;
  red.color1 = "red";
  EchoedSettings lastOutput;
  lastOutput.outputFile = "b.json";
  EchoedSettings dashDirectory;
  dashDirectory.scanDirectory = "-h";
  const Case cases[] = {
      {{}, EchoedSettings()},
      {{"-t", "0.15"}, withThreshold("0.15")},
      {{"-t", "5e-2"}, withThreshold("0.05")},
      {{"-t", "-1"}, withThreshold("-1")},
      {{"-t", "0"}, withThreshold("0")},
      {{"-t", "0.05x"}, withThreshold("0.05")},
      {{"-t", " .5"}, withThreshold("0.5")},
      {{"-l", ""}, EchoedSettings()},
      {{"-l", "calc.log"}, logGiven},
      {{"-c1", "red"}, red},
      {{"-o", "a.json", "-o", "b.json"}, lastOutput},
      {{"-d", "-h"}, dashDirectory},
  };
  makeDirectory("-h");
  for (const Case& c : cases) {
    SCOPED_TRACE(joined(c.arguments));
    const ToolResult result = tool(c.arguments).run();
    EXPECT_EQ(result.out, scanStart(c.echoed));
    EXPECT_EQ(result.err, "未找到任何.cub文件\nScanning failed!\n");
    EXPECT_TRUE(exitedWith(result, 1));
  }
}

TEST_F(CommandLineE2eTest, HelpPrintsTheUsageAndNothingElse) {
  const std::vector<std::string> cases[] = {
      {"-h"},       {"--help"},          {"-d", "mol", "-h"},
      {"-h", "-x"}, {"-h", "-t", "abc"}, {"-o", "out.json", "--help", "-d"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    SCOPED_TRACE(joined(arguments));
    const ToolResult result = tool(arguments).run();
    EXPECT_EQ(result.out, expectedUsage(NODARA_BINARY));
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(exitedWith(result, 0));
  }
  EXPECT_TRUE(entryNames("").empty());
}

TEST_F(CommandLineE2eTest, UnknownOptionPrintsTheUsageAndFails) {
  struct Case {
    std::vector<std::string> arguments;
    std::string word;
  };
  const Case cases[] = {
      {{"-x"}, "-x"},
      {{"mol"}, "mol"},
      {{"-d"}, "-d"},
      {{"-t"}, "-t"},
      {{"-H"}, "-H"},
      {{"--HELP"}, "--HELP"},
      {{"-c3", "red"}, "-c3"},
      {{"-d", "a", "extra"}, "extra"},
      {{"-d", "a", "-c2"}, "-c2"},
      {{"-o=x.json"}, "-o=x.json"},
      {{"-x", "-t", "abc"}, "-x"},
      {{"-x", "y", "-h"}, "-x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(joined(c.arguments));
    const ToolResult result = tool(c.arguments).run();
    EXPECT_EQ(result.out, expectedUsage(NODARA_BINARY));
    EXPECT_EQ(result.err, "未知选项: " + c.word + "\n");
    EXPECT_TRUE(exitedWith(result, 1));
  }
  EXPECT_TRUE(entryNames("").empty());
}

TEST_F(CommandLineE2eTest, InvalidThresholdEndsTheRunAtItsOption) {
  struct Case {
    std::vector<std::string> arguments;
    std::string word;
  };
  const Case cases[] = {
      {{"-t", "abc"}, "abc"},
      {{"-t", "inf"}, "inf"},
      {{"-t", "nan"}, "nan"},
      {{"-t", "1e999"}, "1e999"},
      {{"-t", "-1e999"}, "-1e999"},
      {{"-t", "1e-400"}, "1e-400"},
      {{"-t", ""}, ""},
      {{"-t", "-"}, "-"},
      {{"-t", "."}, "."},
      {{"-t", "e5"}, "e5"},
      {{"-t", "abc", "-h"}, "abc"},
      {{"-t", "abc", "-x"}, "abc"},
      {{"-d", "mol", "-t", "x0.1", "-c1"}, "x0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(joined(c.arguments));
    const ToolResult result = tool(c.arguments).run();
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "无效的阈值: " + c.word + "\n");
    EXPECT_TRUE(exitedWith(result, 1));
  }
  EXPECT_TRUE(entryNames("").empty());
}

}  // namespace
}  // namespace nodara
