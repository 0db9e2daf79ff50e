#include "catalogue/catalogue_order.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

CubeFileInfo parsed(const std::string& fileName) {
  return ConfigGenerator::parseCubeFileName(fileName);
}

std::vector<CubeFileInfo> catalogueOf(const std::vector<std::string>& names) {
  std::vector<CubeFileInfo> files;
  for (const std::string& name : names) files.push_back(parsed(name));
  return files;
}

std::vector<std::string> namesOf(const std::vector<CubeFileInfo>& files) {
  std::vector<std::string> names;
  for (const CubeFileInfo& file : files) names.push_back(file.fileName);
  return names;
}

struct KeyCase {
  std::string fileName;
  std::optional<std::int32_t> key;
};

const KeyCase kKeyCases[] = {
    {"mol_oH2.cub", -2},
    {"mol_oH1.cub", -1},
    {"mol_oH.cub", 0},
    {"mol_oL.cub", 1},
    {"mol_oL1.cub", 2},
    {"mol_oL2.cub", 3},
    {"oH.cub", 0},
    {"oL12.cub", 13},
    {"mol_oH0.cub", 0},
    {"mol_oL0.cub", 1},
    {"mol_oH0002.cub", -2},
    {"mol_oH00000000000000000001.cub", -1},
    // The rest is read like std::stoi reads it.
    {"mol_oH1x.cub", -1},
    {"mol_oH+2.cub", -2},
    {"mol_oH-1.cub", 1},
    {"mol_oL-1.cub", 0},
    {"mol_oL-2.cub", -1},
    {"mol_oH 3.cub", -3},
    {"mol_oL\t4.cub", 5},
    {"mol_oHx.cub", std::nullopt},
    {"mol_oH+.cub", std::nullopt},
    {"mol_oH-.cub", std::nullopt},
    {"mol_oH+-1.cub", std::nullopt},
    {"mol_oH .cub", std::nullopt},
    {"mol_oLx1.cub", std::nullopt},
    // Case-sensitive, last part only.
    {"mol_oh1.cub", std::nullopt},
    {"mol_OH1.cub", std::nullopt},
    {"mol_OL.cub", std::nullopt},
    {"oH1_mol.cub", std::nullopt},
    {"mol_o.cub", std::nullopt},
    {"mol_xoH.cub", std::nullopt},
    {"density.cub", std::nullopt},
    {"_.cub", std::nullopt},
    // The ends of the 32-bit range.
    {"mol_oH2147483647.cub", -2147483647},
    {"mol_oH-2147483647.cub", 2147483647},
    {"mol_oH-2147483648.cub", std::nullopt},  // negating INT_MIN
    {"mol_oH2147483648.cub", std::nullopt},   // not an int
    {"mol_oH-2147483649.cub", std::nullopt},  // not an int
    {"mol_oL2147483646.cub", 2147483647},
    {"mol_oL2147483647.cub", std::nullopt},  // INT_MAX plus 1
    {"mol_oL-2147483648.cub", -2147483647},
    {"mol_oL2147483648.cub", std::nullopt},  // not an int
    {"mol_oH99999999999999999999.cub", std::nullopt},
    {"mol_oL-99999999999999999999.cub", std::nullopt},
};

TEST(OrbitalSortKeyTest, Table) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(c.fileName);
    EXPECT_EQ(c.key, orbitalSortKey(parsed(c.fileName)));
  }
}

TEST(OrbitalSortKeyTest, EmptyPartsHaveNoKey) {
  CubeFileInfo info;
  info.fileName = "oH.cub";
  EXPECT_EQ(std::nullopt, orbitalSortKey(info));
}

TEST(OrbitalSortKeyTest, OnlyTheLastPartCounts) {
  CubeFileInfo info;
  info.fileName = "whatever";
  info.parts = {"oL", "oH3"};
  EXPECT_EQ(-3, orbitalSortKey(info));
}

TEST(CatalogueLessTest, KeysFirstInKeyOrder) {
  EXPECT_TRUE(catalogueLess(parsed("z_oH1.cub"), parsed("a_oH.cub")));
  EXPECT_FALSE(catalogueLess(parsed("a_oH.cub"), parsed("z_oH1.cub")));
  EXPECT_TRUE(catalogueLess(parsed("z_oL9.cub"), parsed("a.cub")));
  EXPECT_FALSE(catalogueLess(parsed("a.cub"), parsed("z_oL9.cub")));
}

TEST(CatalogueLessTest, EqualKeysAndNoKeysCompareNames) {
  EXPECT_TRUE(catalogueLess(parsed("x_oH1.cub"), parsed("y_oH1.cub")));
  EXPECT_FALSE(catalogueLess(parsed("y_oH1.cub"), parsed("x_oH1.cub")));
  EXPECT_TRUE(catalogueLess(parsed("a.cub"), parsed("b.cub")));
  EXPECT_FALSE(catalogueLess(parsed("a.cub"), parsed("a.cub")));
  EXPECT_TRUE(catalogueLess(parsed("a"), parsed("a.cub")));
}

TEST(CatalogueLessTest, NamesCompareAsUnsignedBytes) {
  EXPECT_TRUE(catalogueLess(parsed("z.cub"), parsed("\xc3\xa9.cub")));
  EXPECT_FALSE(catalogueLess(parsed("\xc3\xa9.cub"), parsed("z.cub")));
}

TEST(SortCatalogueTest, FrontierOrbitalsFirstThenByName) {
  std::vector<CubeFileInfo> files =
      catalogueOf({"mol_oL1.cub", "mol_oH.cub", "mol_oL.cub", "mol_oH1.cub",
                   "density.cub", "a_S1_hole.cub"});
  sortCatalogue(files);
  EXPECT_EQ(
      (std::vector<std::string>{"mol_oH1.cub", "mol_oH.cub", "mol_oL.cub",
                                "mol_oL1.cub", "a_S1_hole.cub", "density.cub"}),
      namesOf(files));
}

TEST(SortCatalogueTest, EqualKeysOrderedByName) {
  std::vector<CubeFileInfo> files = catalogueOf({"y_oH1.cub", "x_oH1.cub"});
  sortCatalogue(files);
  EXPECT_EQ((std::vector<std::string>{"x_oH1.cub", "y_oH1.cub"}),
            namesOf(files));
}

TEST(SortCatalogueTest, FileWithoutKeyAmongOtherFilesByName) {
  std::vector<CubeFileInfo> files =
      catalogueOf({"z.cub", "m_oHx.cub", "b.cub", "q_oL.cub"});
  sortCatalogue(files);
  EXPECT_EQ(
      (std::vector<std::string>{"q_oL.cub", "b.cub", "m_oHx.cub", "z.cub"}),
      namesOf(files));
}

TEST(SortCatalogueTest, ByteOrderOfNames) {
  std::vector<CubeFileInfo> files = catalogueOf(
      {"b.cub", "_a.cub", "B.cub", "1.cub", "\xc3\xa9.cub", "a.cub", "a"});
  sortCatalogue(files);
  EXPECT_EQ((std::vector<std::string>{"1.cub", "B.cub", "_a.cub", "a", "a.cub",
                                      "b.cub", "\xc3\xa9.cub"}),
            namesOf(files));
}

TEST(SortCatalogueTest, ExtremeKeysInOrder) {
  std::vector<CubeFileInfo> files =
      catalogueOf({"a_oL2147483646.cub", "b_oL2147483647.cub",
                   "c_oH2147483647.cub", "d_oH-2147483648.cub", "e_oH.cub"});
  sortCatalogue(files);
  EXPECT_EQ((std::vector<std::string>{
                "c_oH2147483647.cub", "e_oH.cub", "a_oL2147483646.cub",
                "b_oL2147483647.cub", "d_oH-2147483648.cub"}),
            namesOf(files));
}

TEST(SortCatalogueTest, StableForEqualRecords) {
  std::vector<CubeFileInfo> files = catalogueOf({"a.cub", "a.cub"});
  files[0].typeCode = "first";
  files[1].typeCode = "second";
  sortCatalogue(files);
  ASSERT_EQ(2u, files.size());
  EXPECT_EQ("first", files[0].typeCode);
  EXPECT_EQ("second", files[1].typeCode);
}

TEST(SortCatalogueTest, RecordsMoveWhole) {
  std::vector<CubeFileInfo> files = catalogueOf({"b_S1_ele.cub", "a_oH.cub"});
  sortCatalogue(files);
  ASSERT_EQ(2u, files.size());
  EXPECT_EQ("a_oH.cub", files[0].fileName);
  EXPECT_EQ((std::vector<std::string>{"a", "oH"}), files[0].parts);
  EXPECT_EQ("oH", files[0].typeCode);
  EXPECT_EQ((std::vector<std::string>{"b", "S1", "ele"}), files[1].parts);
  EXPECT_EQ("ele", files[1].typeCode);
}

TEST(SortCatalogueTest, EmptyListStaysEmpty) {
  std::vector<CubeFileInfo> files;
  sortCatalogue(files);
  EXPECT_TRUE(files.empty());
}

TEST(SortCatalogueTest, AgreesWithCatalogueLess) {
  std::vector<CubeFileInfo> files = catalogueOf(
      {"k_oL3.cub", "j.cub", "i_oH2.cub", "h_oHx.cub", "g_oL.cub", "f_oH.cub",
       "e_oH-1.cub", "d_S2_ele.cub", "c_oL-1.cub", "b_oH1.cub"});
  sortCatalogue(files);
  for (std::size_t i = 0; i + 1 < files.size(); ++i) {
    SCOPED_TRACE(files[i].fileName);
    EXPECT_TRUE(catalogueLess(files[i], files[i + 1]));
    EXPECT_FALSE(catalogueLess(files[i + 1], files[i]));
  }
}

}  // namespace
}  // namespace nodara
