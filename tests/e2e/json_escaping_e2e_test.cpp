// File names and colours with quotes, backslashes, control bytes and
// non-ASCII text still give a valid document that keeps every text intact.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"

namespace nodara {
namespace {

struct HostileName {
  std::string onDisk;
  std::string escaped;  ///< as it must stand between the quotes
};

const HostileName kHostileNames[] = {
    {"quo\"te_oH.cub", "quo\\\"te_oH.cub"},
    {"back\\slash_oL.cub", "back\\\\slash_oL.cub"},
    {"ctl\x01_elf.cub", "ctl\\u0001_elf.cub"},
    {"ctl\x1f_rdg.cub", "ctl\\u001f_rdg.cub"},
    {"esc\x1b_f+.cub", "esc\\u001b_f+.cub"},
    {"tab\there_den.cub", "tab\\there_den.cub"},
    {"car\rriage.cub", "car\\rriage.cub"},
    {"line\nbreak_S1_hole.cub", "line\\nbreak_S1_hole.cub"},
    {"line\nbreak_S1_ele.cub", "line\\nbreak_S1_ele.cub"},
    {"del\x7f_DD.cub", "del\x7f_DD.cub"},
    {"苯_oH.cub", "苯_oH.cub"},
};

const std::string kColor1 = "#00\"FF\x02";
const std::string kColor2 = "back\\slash\x1f";

class JsonEscapingE2eTest : public E2eFixture {
 protected:
  /// Runs the tool on a directory of all hostile names with hostile
  /// colours and returns the document it wrote.
  std::string hostileDocument() {
    makeFiles("cubes", namesOnDisk());
    const ToolResult result =
        tool({"-d", "cubes", "-c1", kColor1, "-c2", kColor2}).run();
    EXPECT_TRUE(exitedWith(result, 0));
    return readDocument("nodara-config.json");
  }

  static std::vector<std::string> namesOnDisk() {
    std::vector<std::string> names;
    for (const HostileName& name : kHostileNames) names.push_back(name.onDisk);
    return names;
  }
};

TEST_F(JsonEscapingE2eTest, EveryTextIsEscaped) {
  const std::string document = hostileDocument();
  for (const HostileName& name : kHostileNames) {
    SCOPED_TRACE(name.escaped);
    const bool first = document.find("\"fileName1\": \"" + name.escaped +
                                     "\",\n") != std::string::npos;
    const bool second = document.find("\"fileName2\": \"" + name.escaped +
                                      "\",\n") != std::string::npos;
    EXPECT_TRUE(first || second);
  }
  EXPECT_NE(document.find("\"title\": \"quo\\\"te_HOMO\",\n"),
            std::string::npos);
  EXPECT_NE(document.find("\"color1\": \"#00\\\"FF\\u0002\",\n"),
            std::string::npos);
  EXPECT_NE(document.find("\"color2\": \"back\\\\slash\\u001f\",\n"),
            std::string::npos);
  // Line feeds of the layout are the only control bytes left raw.
  for (const char byte : document) {
    if (static_cast<unsigned char>(byte) < 0x20 && byte != '\n') {
      ADD_FAILURE() << "raw control byte " << static_cast<int>(byte);
    }
  }
}

TEST_F(JsonEscapingE2eTest, DocumentParsesAndKeepsEveryText) {
  const std::string document = hostileDocument();
  nlohmann::json parsed;
  ASSERT_NO_THROW(parsed = nlohmann::json::parse(document)) << document;
  std::set<std::string> namesInDocument;
  std::map<std::string, std::string> titles;
  for (const nlohmann::json& entry : parsed.at("viewers")) {
    const std::string file1 = entry.at("fileName1").get<std::string>();
    const std::string file2 = entry.at("fileName2").get<std::string>();
    namesInDocument.insert(file1);
    if (!file2.empty()) namesInDocument.insert(file2);
    titles[file1] = entry.at("title").get<std::string>();
    EXPECT_EQ(entry.at("color1").get<std::string>(), kColor1);
    EXPECT_EQ(entry.at("color2").get<std::string>(), kColor2);
  }
  const std::vector<std::string> names = namesOnDisk();
  EXPECT_EQ(namesInDocument, std::set<std::string>(names.begin(), names.end()));
  EXPECT_EQ(titles["quo\"te_oH.cub"], "quo\"te_HOMO");
  EXPECT_EQ(titles["back\\slash_oL.cub"], "back\\slash_LUMO");
  EXPECT_EQ(titles["ctl\x01_elf.cub"], "ctl\x01_elf");
  EXPECT_EQ(titles["tab\there_den.cub"], "tab\there_den");
  EXPECT_EQ(titles["line\nbreak_S1_hole.cub"], "S1_空穴电子分析");
  EXPECT_EQ(titles["苯_oH.cub"], "苯_HOMO");
}

}  // namespace
}  // namespace nodara
