// Runs whose log cannot be imported: the reason on standard error, status
// 1, no document written and an earlier output file left as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"

namespace nodara {
namespace {

std::string dataLog(const std::string& name) {
  return std::string(NODARA_TEST_DATA_DIR) + "/" + name;
}

class LogFailureE2eTest : public E2eFixture {};

TEST_F(LogFailureE2eTest, RejectedLogWritesNoDocument) {
  struct Case {
    std::string log;
    std::string reason;  ///< standard error before the front end's line
  };
  const std::string invalid = "无效的Gaussian文件\n";
  const std::string outOfRange = "提取激发态数据失败: stoi\n";
  const Case cases[] = {
      {"missing.log", libraryError("无法打开文件: missing.log") + invalid},
      {"logs", libraryError("无法打开文件: logs") + invalid},
      {"empty.log", invalid},
      {dataLog("not_gaussian.txt"), invalid},
      {dataLog("ground_state.log"),
       "未在log中找到TDDFT段落（Excitation energies and oscillator "
       "strengths:），退出。\n"},
      {dataLog("td_out_of_range.log"), outOfRange},
      {dataLog("td_label_out_of_range.log"), outOfRange},
  };
  makeFiles("cubes", {"mol_S1_hole.cub", "mol_S1_ele.cub", "mol_oH.cub"});
  makeDirectory("logs");
  writeFile("empty.log", "");
  const std::string earlier = "{\"earlier\": \"document\"}\n";
  writeFile("old.json", earlier);
  for (const Case& c : cases) {
    for (const std::string output : {"new.json", "old.json"}) {
      SCOPED_TRACE("-l " + c.log + " -o " + output);
      const ToolResult result =
          tool({"-d", "cubes", "-o", output, "-l", c.log}).run();
      EchoedSettings echoed;
      echoed.scanDirectory = "cubes";
      echoed.outputFile = output;
      echoed.logFile = c.log;
      EXPECT_EQ(result.out, generationStart(echoed, 3,
                                            pairLine("S1", "mol_S1_hole.cub",
                                                     "mol_S1_ele.cub")) +
                                excitedStateImportStart(c.log));
      EXPECT_EQ(result.err, c.reason + "Failed to generate config file!\n");
      EXPECT_TRUE(exitedWith(result, 1));
    }
  }
  EXPECT_EQ(readFile("old.json"), earlier);
  EXPECT_EQ(entryNames(""), (std::vector<std::string>{"cubes", "empty.log",
                                                      "logs", "old.json"}));
}

}  // namespace
}  // namespace nodara
