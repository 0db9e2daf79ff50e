#include "app/front_end.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "support/expected_usage.h"
#include "support/temp_directory.h"

namespace nodara {
namespace {
namespace fs = std::filesystem;

TEST(PrintUsageTest, FourteenLinesWithTheProgramName) {
  std::ostringstream out;
  printUsage(out, "nodara-config");
  const std::string text = out.str();
  EXPECT_EQ(expectedUsage("nodara-config"), text);
  EXPECT_EQ(14, std::count(text.begin(), text.end(), '\n'));
}

TEST(PrintUsageTest, ProgramNameIsUsedAsGiven) {
  std::ostringstream out;
  printUsage(out, "./build/nodara-config");
  EXPECT_EQ(expectedUsage("./build/nodara-config"), out.str());
}

TEST(PrintUsageTest, FirstAndLastLines) {
  std::ostringstream out;
  printUsage(out, "p");
  const std::string text = out.str();
  EXPECT_EQ(0u, text.rfind("用法: p [选项]\n\n选项:\n", 0));
  const std::string last =
      "\n示例:\n  p -d . -o config.json -l molecule.log\n"
      "  p -t 0.15 -l calculation.log\n";
  EXPECT_EQ(text.size() - last.size(), text.rfind(last));
}

std::string bannerHead(const std::string& directory,
                       const std::string& output) {
  return "========================================\n"
         "     Nodara config generator\n"
         "========================================\n"
         "\n"
         "配置参数:\n"
         "  扫描目录: " +
         directory +
         "\n"
         "  输出文件: " +
         output + "\n";
}

std::string bannerTail(const std::string& threshold, const std::string& color1,
                       const std::string& color2) {
  return "  系数阈值: " + threshold + "\n  Color1: " + color1 +
         "\n  Color2: " + color2 + "\n\n";
}

TEST(PrintBannerTest, DefaultsWithoutLogLine) {
  std::ostringstream out;
  printBanner(out, RunSettings{});
  EXPECT_EQ(bannerHead(".", "nodara-config.json") +
                bannerTail("0.1", "#0000FF", "#FF0000"),
            out.str());
}

TEST(PrintBannerTest, WithLogLine) {
  RunSettings settings;
  settings.scanDirectory = "cubes";
  settings.outputFile = "out.json";
  settings.logFile = "mol.log";
  settings.threshold = 0.15;
  settings.color1 = "red";
  settings.color2 = "\"blue\"";
  std::ostringstream out;
  printBanner(out, settings);
  EXPECT_EQ(bannerHead("cubes", "out.json") + "  Log文件: mol.log\n" +
                bannerTail("0.15", "red", "\"blue\""),
            out.str());
}

struct ThresholdText {
  double threshold;
  std::string text;
};

const ThresholdText kThresholdTexts[] = {
    {0.1, "0.1"},
    {0.15, "0.15"},
    {5e-2, "0.05"},
    {-1.0, "-1"},
    {0.0, "0"},
    {2.0, "2"},
    {1234567.0, "1.23457e+06"},
    {1e-5, "1e-05"},
    {0.123456789, "0.123457"},
};

TEST(PrintBannerTest, ThresholdInDefaultStreamFormat) {
  for (const ThresholdText& c : kThresholdTexts) {
    SCOPED_TRACE(c.text);
    RunSettings settings;
    settings.threshold = c.threshold;
    std::ostringstream out;
    printBanner(out, settings);
    EXPECT_EQ(bannerHead(".", "nodara-config.json") +
                  bannerTail(c.text, "#0000FF", "#FF0000"),
              out.str());
  }
}

/// A unique temporary directory and a console on two string streams.
class FrontEndTest : public ::testing::Test {
 protected:
  bool run(const std::vector<std::string>& argv) {
    return runFrontEnd(argv, console_);
  }

  TempDirectory temp_;
  fs::path dir_ = temp_.path();
  std::ostringstream out_;
  std::ostringstream err_;
  Console console_{out_, err_};
};

TEST_F(FrontEndTest, HelpPrintsUsageOnly) {
  EXPECT_TRUE(run({"tool", "-d", "mol", "-h"}));
  EXPECT_EQ(expectedUsage("tool"), out_.str());
  EXPECT_EQ("", err_.str());
}

TEST_F(FrontEndTest, UnknownOptionPrintsMessageAndUsage) {
  EXPECT_FALSE(run({"tool", "-d"}));
  EXPECT_EQ(expectedUsage("tool"), out_.str());
  EXPECT_EQ("未知选项: -d\n", err_.str());
}

TEST_F(FrontEndTest, InvalidThresholdPrintsMessageWithoutUsage) {
  EXPECT_FALSE(run({"tool", "-t", "abc"}));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("无效的阈值: abc\n", err_.str());
}

TEST_F(FrontEndTest, FailedScan) {
  const std::string missing = (dir_ / "missing").string();
  EXPECT_FALSE(run({"tool", "-d", missing}));
  EXPECT_EQ(bannerHead(missing, "nodara-config.json") +
                bannerTail("0.1", "#0000FF", "#FF0000") +
                ">>> Scanning .cub files...\n",
            out_.str());
  const std::string error = err_.str();
  EXPECT_EQ(0u, error.rfind("扫描目录失败: ", 0)) << error;
  const std::string last = "\nScanning failed!\n";
  EXPECT_EQ(error.size() - last.size(), error.rfind(last)) << error;
}

TEST_F(FrontEndTest, DirectoryWithoutCubeFiles) {
  EXPECT_FALSE(run({"tool", "-d", dir_.string()}));
  EXPECT_EQ("未找到任何.cub文件\nScanning failed!\n", err_.str());
}

TEST_F(FrontEndTest, SuccessfulRunWithoutLog) {
  std::ofstream(dir_ / "a_S1_hole.cub") << "cube\n";
  std::ofstream(dir_ / "a_S1_ele.cub") << "cube\n";
  std::ofstream(dir_ / "mol_oH.cub") << "cube\n";
  const std::string output = (dir_ / "config.json").string();
  EXPECT_TRUE(run({"tool", "-d", dir_.string(), "-o", output, "-c1", "red"}));
  EXPECT_EQ(bannerHead(dir_.string(), output) +
                bannerTail("0.1", "red", "#FF0000") +
                ">>> Scanning .cub files...\n"
                "找到 3 个.cub文件\n"
                "识别到配对: S1 -> a_S1_hole.cub + a_S1_ele.cub\n"
                "\n"
                ">>> Generating config file...\n"
                "配置文件已生成: " +
                output +
                "\n"
                "共 2 个配置项\n"
                "\n"
                "Config file generated successfully!\n",
            out_.str());
  EXPECT_EQ("", err_.str());
  EXPECT_TRUE(fs::is_regular_file(output));
}

TEST_F(FrontEndTest, FailedGeneration) {
  std::ofstream(dir_ / "a.cub") << "cube\n";
  const std::string output = (dir_ / "missing" / "config.json").string();
  EXPECT_FALSE(run({"tool", "-d", dir_.string(), "-o", output}));
  const std::string expectedEnd = ">>> Generating config file...\n";
  const std::string out = out_.str();
  EXPECT_EQ(out.size() - expectedEnd.size(), out.rfind(expectedEnd)) << out;
  EXPECT_EQ(
      "无法打开输出文件: " + output + "\nFailed to generate config file!\n",
      err_.str());
}

}  // namespace
}  // namespace nodara
