// Whole runs of the tool on directories of cube files: the document
// written, the progress lines, and the scan's failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"

namespace nodara {
namespace {

class GenerationE2eTest : public E2eFixture {
 protected:
  void makeLink(const std::string& target, const std::string& link) const {
    ASSERT_EQ(symlink(target.c_str(), path(link).c_str()), 0) << link;
  }
};

void replaceOnce(std::string& text, const std::string& from,
                 const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

// Orbital files, hole/electron pairs and the other kinds of grid, with
// files and directories the scan passes over.
const std::vector<std::string> kCatalogueFiles = {
    "benz_S1_hole.cub",
    "benz_S1_ele.cub",
    "benz_S10_hole.cub",
    "benz_S10_ele.cub",
    "benz_S2_ole.cub",
    "benz_S2_ele.cub",
    "benz_S3_hole.cub",
    "benz_S4_elec.cub",
    "mol_oL1.cub",
    "mol_oH.cub",
    "mol_oL.cub",
    "mol_oH1.cub",
    "x_oH1.cub",
    "mol_oH2.cub",
    "mol_oHx.cub",
    "mol_f+.cub",
    "mol_f-.cub",
    "mol_Of+.cub",
    "mol_Of-.cub",
    "mol_DD.cub",
    "mol_ODD.cub",
    "mol_f+D.cub",
    "mol_elf.cub",
    "mol_lol.cub",
    "mol_rdg.cub",
    "mol_esd.cub",
    "mol_den.cub",
    "water_density.cub",
    "density.cub",
    "a.b.cub",
    "___.cub",
    "mol_orb.cub",
    "notes.txt",
    "mol_oH.CUB",
    ".cub",
    "target.dat",
};

TEST_F(GenerationE2eTest, WritesTheGoldenDocumentForAMixedDirectory) {
  makeFiles("", kCatalogueFiles);
  makeDirectory("sub.cub");
  makeLink("target.dat", "linked_esd.cub");
  makeLink("missing.dat", "dangling_oH.cub");
  const ToolResult result = tool({}).run();
  EXPECT_EQ(result.out,
            generationStart(EchoedSettings(), 33,
                            "识别到配对: S1 -> benz_S1_hole.cub + "
                            "benz_S1_ele.cub\n"
                            "识别到配对: S10 -> benz_S10_hole.cub + "
                            "benz_S10_ele.cub\n"
                            "识别到配对: S2 -> benz_S2_ole.cub + "
                            "benz_S2_ele.cub\n") +
                generationEnd("nodara-config.json", 30));
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(exitedWith(result, 0));
  EXPECT_EQ(maskTimestamp(readFile("nodara-config.json"), result),
            golden("mixed_directory.json"));
  std::vector<std::string> expectedEntries = kCatalogueFiles;
  expectedEntries.insert(
      expectedEntries.end(),
      {"sub.cub", "linked_esd.cub", "dangling_oH.cub", "nodara-config.json"});
  std::sort(expectedEntries.begin(), expectedEntries.end());
  EXPECT_EQ(entryNames(""), expectedEntries);
}

TEST_F(GenerationE2eTest, ScansTheGivenDirectoryAndWritesTheGivenPath) {
  makeFiles("cubes", {"mol_oL.cub"});
  makeDirectory("out");
  const ToolResult result = tool({"-d", "cubes", "-o", "out/viewer.json", "-c1",
                                  "#112233", "-c2", "#445566", "-t", "0.3"})
                                .run();
  EchoedSettings echoed;
  echoed.scanDirectory = "cubes";
  echoed.outputFile = "out/viewer.json";
  echoed.color1 = "#112233";
  echoed.color2 = "#445566";
  echoed.threshold = "0.3";
  EXPECT_EQ(result.out,
            generationStart(echoed, 1) + generationEnd("out/viewer.json", 1));
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(exitedWith(result, 0));
  std::string expected = golden("single_lumo.json");
  replaceOnce(expected, "\"#0000FF\"", "\"#112233\"");
  replaceOnce(expected, "\"#FF0000\"", "\"#445566\"");
  EXPECT_EQ(maskTimestamp(readFile("out/viewer.json"), result), expected);
  EXPECT_EQ(entryNames("cubes"), std::vector<std::string>{"mol_oL.cub"});
}

// Orbital numbers whose key would leave the 32-bit range get no key and
// sort by name among the files without one.
TEST_F(GenerationE2eTest, OrbitalKeysAtTheEndsOfTheIntegerRange) {
  makeFiles(
      "", {"mol_oH.cub", "mol_oL2147483646.cub", "mol_oL2147483647.cub",
           "mol_oH2147483647.cub", "mol_oH2147483648.cub",
           "mol_oH-2147483648.cub", "mol_oL-2147483648.cub", "a_density.cub"});
  const ToolResult result = tool({}).run();
  ASSERT_TRUE(exitedWith(result, 0));
  const nlohmann::json document =
      nlohmann::json::parse(readDocument("nodara-config.json"));
  std::vector<std::string> order;
  for (const nlohmann::json& entry : document.at("viewers")) {
    order.push_back(entry.at("fileName1").get<std::string>());
  }
  const std::vector<std::string> expected = {
      "mol_oH2147483647.cub",   // key -2147483647
      "mol_oL-2147483648.cub",  // key -2147483647, ordered by name
      "mol_oH.cub",             // key 0
      "mol_oL2147483646.cub",   // key 2147483647
      "a_density.cub",
      "mol_oH-2147483648.cub",
      "mol_oH2147483648.cub",
      "mol_oL2147483647.cub",
  };
  EXPECT_EQ(order, expected);
}

TEST_F(GenerationE2eTest, DirectoryThatCannotBeListedFailsTheScan) {
  writeFile("regular.txt", "");
  const std::string cases[] = {"missing", "regular.txt", "missing/deeper"};
  for (const std::string& directory : cases) {
    SCOPED_TRACE(directory);
    const ToolResult result = tool({"-d", directory}).run();
    EchoedSettings echoed;
    echoed.scanDirectory = directory;
    EXPECT_EQ(result.out, scanStart(echoed));
    const std::string prefix = "扫描目录失败: ";
    const std::string suffix = "\nScanning failed!\n";
    EXPECT_EQ(result.err.compare(0, prefix.size(), prefix), 0) << result.err;
    ASSERT_GT(result.err.size(), prefix.size() + suffix.size());
    EXPECT_EQ(result.err.substr(result.err.size() - suffix.size()), suffix);
    const std::string description = result.err.substr(
        prefix.size(), result.err.size() - prefix.size() - suffix.size());
    EXPECT_EQ(description.find('\n'), std::string::npos) << description;
    EXPECT_NE(description.find(directory), std::string::npos) << description;
    EXPECT_TRUE(exitedWith(result, 1));
  }
  EXPECT_EQ(entryNames(""), std::vector<std::string>{"regular.txt"});
}

TEST_F(GenerationE2eTest, DirectoryWithoutCubeFilesFailsTheScan) {
  makeDirectory("empty");
  makeFiles("others", {"a.txt", "b.CUB", ".cub", "c.cub.txt", "cub"});
  makeDirectory("others/sub.cub");
  ASSERT_EQ(symlink("missing.cub", path("others/y.cub").c_str()), 0);
  for (const std::string directory : {"empty", "others"}) {
    SCOPED_TRACE(directory);
    const ToolResult result = tool({}, directory).run();
    EXPECT_EQ(result.out, scanStart(EchoedSettings()));
    EXPECT_EQ(result.err, "未找到任何.cub文件\nScanning failed!\n");
    EXPECT_TRUE(exitedWith(result, 1));
  }
  EXPECT_TRUE(entryNames("empty").empty());
  EXPECT_EQ(entryNames("others"),
            (std::vector<std::string>{".cub", "a.txt", "b.CUB", "c.cub.txt",
                                      "cub", "sub.cub", "y.cub"}));
}

}  // namespace
}  // namespace nodara
