// ConfigGenerator::parseCubeFileName: the name parts and the type code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

struct NameCase {
  std::string fileName;
  std::vector<std::string> parts;
  std::string typeCode;
};

const NameCase kNameCases[] = {
    {"benzene_S1_hole.cub", {"benzene", "S1", "hole"}, "ole"},
    {"benzene_S1_ele.cub", {"benzene", "S1", "ele"}, "ele"},
    {"mol_oH1.cub", {"mol", "oH1"}, "oH1"},
    {"mol_oL.cub", {"mol", "oL"}, "oL"},
    {"water_density.cub", {"water", "density"}, "ity"},
    {"_x__y_.cub", {"x", "y"}, "y"},
    {"_.cub", {}, ""},
    {"___.cub", {}, ""},
    {"a.b.cub", {"a.b"}, "a.b"},
    {"x.cub.cub", {"x.cub"}, "cub"},
    {"density.cub", {"density"}, "ity"},
    {"oH.cub", {"oH"}, "oH"},
    {"a.cub", {"a"}, "a"},
    {"ab.cub", {"ab"}, "ab"},
    {"abc.cub", {"abc"}, "abc"},
    {"mol_f+.cub", {"mol", "f+"}, "f+"},
    {"mol_f+D.cub", {"mol", "f+D"}, "f+D"},
    {"a-b_c+d e_1.2.cub", {"a-b", "c+d e", "1.2"}, "1.2"},
    // The ending is removed only when the name is longer than it.
    {".cub", {".cub"}, "cub"},
    // Only the lower-case ending is removed.
    {"mol_x.CUB", {"mol", "x.CUB"}, "CUB"},
    // Names need not end in ".cub".
    {"mol_x", {"mol", "x"}, "x"},
    {"", {}, ""},
    // Bytes count, not characters: the type code of a UTF-8 part.
    {"分子_轨道.cub", {"分子", "轨道"}, "\xe9\x81\x93"},
};

TEST(ParseCubeFileNameTest, Table) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.fileName);
    const CubeFileInfo info = ConfigGenerator::parseCubeFileName(c.fileName);
    EXPECT_EQ(c.fileName, info.fileName);
    EXPECT_EQ(c.parts, info.parts);
    EXPECT_EQ(c.typeCode, info.typeCode);
  }
}

}  // namespace
}  // namespace nodara
