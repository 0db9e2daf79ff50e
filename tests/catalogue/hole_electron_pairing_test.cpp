// ConfigGenerator::classifyHoleElectron and pairHoleElectronFiles.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_order.h"
#include "catalogue/config_generator.h"

namespace nodara {
namespace {

struct ClassifyCase {
  std::string fileName;
  bool recognised;
  std::string stateLabel;
  std::string kind;  // checked only when recognised
};

const ClassifyCase kClassifyCases[] = {
    {"a_S1_hole.cub", true, "S1", "ole"},
    {"a_S1_ole.cub", true, "S1", "ole"},
    {"a_S1_ele.cub", true, "S1", "ele"},
    {"benzene_S10_hole.cub", true, "S10", "ole"},
    {"S1_hole.cub", true, "S1", "ole"},
    {"S1_ele.cub", true, "S1", "ele"},
    {"S1_S2_hole.cub", true, "S1", "ole"},
    {"x_S1x_ele.cub", true, "S1x", "ele"},
    {"S1_a_b_hole.cub", true, "S1", "ole"},
    {"a_S1_hole_ele.cub", true, "S1", "ele"},
    {"a_S1_elec.cub", false, "", ""},
    {"a_S1_electron.cub", false, "", ""},
    {"a_S1_Hole.cub", false, "", ""},
    {"a_S1_ELE.cub", false, "", ""},
    {"a_S1_xhole.cub", false, "", ""},
    {"hole.cub", false, "", ""},
    {"ele.cub", false, "", ""},
    {"x_hole.cub", false, "", ""},
    {"S_hole.cub", false, "", ""},
    {"Sx_hole.cub", false, "", ""},
    {"s1_hole.cub", false, "", ""},
    {"T1_hole.cub", false, "", ""},
    {"a_hole_S1.cub", false, "", ""},
    {"a_S1hole.cub", false, "", ""},
    {"_.cub", false, "", ""},
};

TEST(ClassifyHoleElectronTest, Table) {
  for (const ClassifyCase& c : kClassifyCases) {
    SCOPED_TRACE(c.fileName);
    std::string stateLabel;
    std::string kind;
    const bool recognised = ConfigGenerator::classifyHoleElectron(
        ConfigGenerator::parseCubeFileName(c.fileName), stateLabel, kind);
    EXPECT_EQ(c.recognised, recognised);
    if (c.recognised) {
      EXPECT_EQ(c.stateLabel, stateLabel);
      EXPECT_EQ(c.kind, kind);
    }
  }
}

/// A generator whose console writes to two string streams; the catalogue is
/// set directly and sorted as the scan sorts it.
class PairingTest : public ::testing::Test {
 protected:
  void pair(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      generator_.cubeFiles.push_back(ConfigGenerator::parseCubeFileName(name));
    }
    sortCatalogue(generator_.cubeFiles);
    generator_.pairHoleElectronFiles();
  }

  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};
};

void expectPair(const CubePair& pair, const std::string& hole,
                const std::string& electron, const std::string& label) {
  EXPECT_EQ(hole, pair.holeFile);
  EXPECT_EQ(electron, pair.electronFile);
  EXPECT_EQ(label, pair.stateLabel);
}

TEST_F(PairingTest, HoleAndElectronOfOneState) {
  pair({"a_S1_hole.cub", "a_S1_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "a_S1_hole.cub", "a_S1_ele.cub", "S1");
  EXPECT_EQ("识别到配对: S1 -> a_S1_hole.cub + a_S1_ele.cub\n", out_.str());
  EXPECT_EQ("", err_.str());
}

TEST_F(PairingTest, OleFilePairsLikeAHoleFile) {
  pair({"a_S1_ole.cub", "a_S1_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "a_S1_ole.cub", "a_S1_ele.cub", "S1");
}

TEST_F(PairingTest, ElecIsNoElectronFile) {
  pair({"a_S1_hole.cub", "a_S1_elec.cub"});
  EXPECT_TRUE(generator_.pairs.empty());
  EXPECT_EQ("", out_.str());
}

TEST_F(PairingTest, LabelsInByteOrder) {
  pair({"m_S2_hole.cub", "m_S2_ele.cub", "m_S10_hole.cub", "m_S10_ele.cub"});
  ASSERT_EQ(2u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "m_S10_hole.cub", "m_S10_ele.cub", "S10");
  expectPair(generator_.pairs[1], "m_S2_hole.cub", "m_S2_ele.cub", "S2");
  EXPECT_EQ(
      "识别到配对: S10 -> m_S10_hole.cub + m_S10_ele.cub\n"
      "识别到配对: S2 -> m_S2_hole.cub + m_S2_ele.cub\n",
      out_.str());
}

TEST_F(PairingTest, OneSidedStatesGiveNoPairAndNoLine) {
  pair({"a_S1_hole.cub", "a_S2_ele.cub", "a_S3_hole.cub", "a_S3_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "a_S3_hole.cub", "a_S3_ele.cub", "S3");
  EXPECT_EQ("识别到配对: S3 -> a_S3_hole.cub + a_S3_ele.cub\n", out_.str());
}

TEST_F(PairingTest, NamesWithoutLabelAreNeverPaired) {
  pair({"hole.cub", "ele.cub", "x_hole.cub", "x_ele.cub"});
  EXPECT_TRUE(generator_.pairs.empty());
  EXPECT_EQ("", out_.str());
}

TEST_F(PairingTest, LastFileInCatalogueOrderWins) {
  pair({"b_S1_hole.cub", "a_S1_hole.cub", "a_S1_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "b_S1_hole.cub", "a_S1_ele.cub", "S1");
}

TEST_F(PairingTest, LaterElectronFileWinsToo) {
  pair({"a_S1_hole.cub", "c_S1_ele.cub", "b_S1_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "a_S1_hole.cub", "c_S1_ele.cub", "S1");
}

TEST_F(PairingTest, FirstMatchingPartIsTheLabel) {
  pair({"S1_S2_hole.cub", "S1_ele.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "S1_S2_hole.cub", "S1_ele.cub", "S1");
}

TEST_F(PairingTest, OtherFilesAreIgnored) {
  pair({"mol_oH.cub", "a_S1_ele.cub", "density.cub", "a_S1_hole.cub"});
  ASSERT_EQ(1u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "a_S1_hole.cub", "a_S1_ele.cub", "S1");
  EXPECT_EQ(4u, generator_.cubeFiles.size());
}

TEST_F(PairingTest, AppendsWithoutEmptyingPairs) {
  generator_.pairs.push_back(CubePair{"h", "e", "S0"});
  pair({"a_S1_hole.cub", "a_S1_ele.cub"});
  ASSERT_EQ(2u, generator_.pairs.size());
  expectPair(generator_.pairs[0], "h", "e", "S0");
  expectPair(generator_.pairs[1], "a_S1_hole.cub", "a_S1_ele.cub", "S1");
}

TEST_F(PairingTest, EmptyCatalogue) {
  pair({});
  EXPECT_TRUE(generator_.pairs.empty());
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("", err_.str());
}

}  // namespace
}  // namespace nodara
