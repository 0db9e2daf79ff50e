// ConfigGenerator::buildViewerEntries: pairs first, then single files.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_order.h"
#include "catalogue/config_generator.h"

namespace nodara {
namespace {

/// A generator whose catalogue and pairs are set as a scan would set them.
class ViewerEntryBuilderTest : public ::testing::Test {
 protected:
  void catalogue(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      generator_.cubeFiles.push_back(ConfigGenerator::parseCubeFileName(name));
    }
    sortCatalogue(generator_.cubeFiles);
    generator_.pairHoleElectronFiles();
    out_.str("");
  }

  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};
};

void expectEntry(const ViewerEntry& entry, int id, const std::string& title,
                 const std::string& isoValue, const std::string& fileName1,
                 const std::string& fileName2, const std::string& notes) {
  SCOPED_TRACE(fileName1);
  EXPECT_EQ(id, entry.id);
  EXPECT_EQ(title, entry.title);
  EXPECT_EQ("#0000FF", entry.color1);
  EXPECT_EQ("#FF0000", entry.color2);
  EXPECT_EQ(isoValue, entry.isoValue);
  EXPECT_TRUE(entry.showPositive);
  EXPECT_EQ(fileName1, entry.fileName1);
  EXPECT_EQ(fileName2, entry.fileName2);
  EXPECT_EQ(notes, entry.notes);
}

TEST_F(ViewerEntryBuilderTest, PairGivesOneEntry) {
  generator_.excitedStates["S1"] =
      ExcitedStateText{"350.12", "0.1234", "45->47=0.70123"};
  catalogue({"S1_hole.cub", "S1_ele.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(1u, generator_.viewers.size());
  expectEntry(generator_.viewers[0], 0, "S1_空穴电子分析", "0.001",
              "S1_hole.cub", "S1_ele.cub",
              "λ = 350.12 nm\nf = 0.1234\nTransOrbit:\n45->47=0.70123");
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("", err_.str());
}

TEST_F(ViewerEntryBuilderTest, PairWithoutExcitedStateHasEmptyNotes) {
  catalogue({"a_S1_ole.cub", "a_S1_ele.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(1u, generator_.viewers.size());
  expectEntry(generator_.viewers[0], 0, "S1_空穴电子分析", "0.001",
              "a_S1_ole.cub", "a_S1_ele.cub", "");
}

TEST_F(ViewerEntryBuilderTest, PairsFirstThenSingleFilesInCatalogueOrder) {
  generator_.orbitalEnergies["h"] = OrbitalEnergy{45, -0.2345};
  catalogue({"m_S2_hole.cub", "m_S2_ele.cub", "m_S1_ele.cub", "m_S1_hole.cub",
             "m_f+.cub", "m_oH.cub", "density.cub"});
  generator_.buildViewerEntries();
  const std::vector<ViewerEntry>& viewers = generator_.viewers;
  ASSERT_EQ(5u, viewers.size());
  expectEntry(viewers[0], 0, "S1_空穴电子分析", "0.001", "m_S1_hole.cub",
              "m_S1_ele.cub", "");
  expectEntry(viewers[1], 1, "S2_空穴电子分析", "0.001", "m_S2_hole.cub",
              "m_S2_ele.cub", "");
  expectEntry(viewers[2], 2, "m_HOMO", "0.025", "m_oH.cub", "",
              "45 = -6.3811 eV");
  expectEntry(viewers[3], 3, "density等值面", "0.025", "density.cub", "", "");
  expectEntry(viewers[4], 4, "m_Electrophilic", "0.002", "m_f+.cub", "",
              "正值亲电");
}

TEST_F(ViewerEntryBuilderTest, LoneHoleFileIsASingleEntry) {
  catalogue({"S2_hole.cub", "S1_ele.cub"});
  generator_.excitedStates["S2"] = ExcitedStateText{"1", "2", "3"};
  generator_.buildViewerEntries();
  ASSERT_EQ(2u, generator_.viewers.size());
  expectEntry(generator_.viewers[0], 0, "S1_空穴电子分析", "0.001",
              "S1_ele.cub", "", "");
  expectEntry(generator_.viewers[1], 1, "S2_空穴电子分析", "0.001",
              "S2_hole.cub", "", "");
}

TEST_F(ViewerEntryBuilderTest, ReplacedHoleFileStaysASingleEntry) {
  catalogue({"a_S1_hole.cub", "b_S1_hole.cub", "a_S1_ele.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(2u, generator_.viewers.size());
  expectEntry(generator_.viewers[0], 0, "S1_空穴电子分析", "0.001",
              "b_S1_hole.cub", "a_S1_ele.cub", "");
  expectEntry(generator_.viewers[1], 1, "S1_空穴电子分析", "0.001",
              "a_S1_hole.cub", "", "");
}

TEST_F(ViewerEntryBuilderTest, NameWithoutPartsHasEmptyNotes) {
  catalogue({"_.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(1u, generator_.viewers.size());
  expectEntry(generator_.viewers[0], 0, "等值面", "0.025", "_.cub", "", "");
}

TEST_F(ViewerEntryBuilderTest, ColoursAreCopiedIntoEveryEntry) {
  generator_.color1 = "red";
  generator_.color2 = "#\"x\\";
  catalogue({"a_S1_hole.cub", "a_S1_ele.cub", "b.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(2u, generator_.viewers.size());
  for (const ViewerEntry& entry : generator_.viewers) {
    EXPECT_EQ("red", entry.color1);
    EXPECT_EQ("#\"x\\", entry.color2);
  }
}

TEST_F(ViewerEntryBuilderTest, TwoPairsAndThreeSingleFiles) {
  catalogue({"c.cub", "a_S1_hole.cub", "b_oL.cub", "a_S1_ele.cub",
             "a_S3_ele.cub", "a_S3_hole.cub", "a.cub"});
  generator_.buildViewerEntries();
  std::vector<int> ids;
  std::vector<std::string> files;
  for (const ViewerEntry& entry : generator_.viewers) {
    ids.push_back(entry.id);
    files.push_back(entry.fileName1);
  }
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), ids);
  EXPECT_EQ((std::vector<std::string>{"a_S1_hole.cub", "a_S3_hole.cub",
                                      "b_oL.cub", "a.cub", "c.cub"}),
            files);
}

TEST_F(ViewerEntryBuilderTest, AppendsWithoutEmptyingAndCountsFromZero) {
  ViewerEntry earlier;
  earlier.id = 7;
  earlier.title = "earlier";
  generator_.viewers.push_back(earlier);
  catalogue({"a.cub", "b.cub"});
  generator_.buildViewerEntries();
  ASSERT_EQ(3u, generator_.viewers.size());
  EXPECT_EQ("earlier", generator_.viewers[0].title);
  EXPECT_EQ(0, generator_.viewers[1].id);
  EXPECT_EQ(1, generator_.viewers[2].id);
}

TEST_F(ViewerEntryBuilderTest, EmptyCatalogueGivesNoEntries) {
  generator_.buildViewerEntries();
  EXPECT_TRUE(generator_.viewers.empty());
}

}  // namespace
}  // namespace nodara
