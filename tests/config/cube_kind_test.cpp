#include "config/cube_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

struct KindCase {
  std::string fileName;
  std::string isoValue;
  std::string title;
};

const KindCase kKindCases[] = {
    // 1: no parts.
    {"_.cub", "0.025", "等值面"},
    {"___.cub", "0.025", "等值面"},
    // 2: esd, den.
    {"mol_esd.cub", "0.001", "mol_esd"},
    {"mol_den.cub", "0.001", "mol_den"},
    {"mol_eden.cub", "0.001", "mol_eden"},
    {"den.cub", "0.001", "_den"},
    // 3: elf, lol.
    {"mol_elf.cub", "0.010", "mol_elf"},
    {"mol_lol.cub", "0.010", "mol_lol"},
    {"a_b_elf.cub", "0.010", "b_elf"},
    // 4: rdg.
    {"mol_rdg.cub", "0.500", "mol_rdg"},
    // 5: ele, ole, ehe.
    {"S1_hole.cub", "0.001", "S1_空穴电子分析"},
    {"benzene_S1_hole.cub", "0.001", "S1_空穴电子分析"},
    {"a_S1_ole.cub", "0.001", "S1_空穴电子分析"},
    {"a_S1_ele.cub", "0.001", "S1_空穴电子分析"},
    {"mol_ehe.cub", "0.001", "mol_空穴电子分析"},
    {"hole.cub", "0.001", "_空穴电子分析"},
    {"mol_oHole.cub", "0.001", "mol_空穴电子分析"},
    // 6: orb.
    {"mol_orb.cub", "0.025", "mol"},
    {"orb.cub", "0.025", ""},
    {"mol_oHorb.cub", "0.025", "mol"},
    // 7 to 10: frontier orbitals.
    {"mol_oH.cub", "0.025", "mol_HOMO"},
    {"mol_oH1.cub", "0.025", "mol_HOMO-1"},
    {"mol_oL.cub", "0.025", "mol_LUMO"},
    {"mol_oL3.cub", "0.025", "mol_LUMO+3"},
    {"mol_oL12.cub", "0.025", "mol_LUMO+12"},
    {"mol_oHx.cub", "0.025", "mol_HOMO-x"},
    {"oH.cub", "0.025", "_HOMO"},
    {"oL.cub", "0.025", "_LUMO"},
    {"mol_oLf+D.cub", "0.025", "mol_LUMO+f+D"},
    // 11 to 13: electrophilic.
    {"mol_f+.cub", "0.002", "mol_Electrophilic"},
    {"mol_f+1.cub", "0.002", "mol_OW_Electrophilic"},
    {"mol_f+D.cub", "0.002", "mol_OW_Electrophilic"},
    {"mol_Of+.cub", "0.002", "mol_OW_Electrophilic"},
    {"mol_Of+x.cub", "0.002", "mol_OW_Electrophilic"},
    {"mol_Of+D.cub", "0.002", "mol_OW_Electrophilic"},
    // 14 to 16: nucleophilic.
    {"mol_f-.cub", "0.002", "mol_Nucleophilic"},
    {"mol_f-2.cub", "0.002", "mol_OW_Nucleophilic"},
    {"mol_Of-.cub", "0.002", "mol_OW_Nucleophilic"},
    {"mol_Of-y.cub", "0.002", "mol_OW_Nucleophilic"},
    // 17 to 19: dual descriptors.
    {"mol_xf+D.cub", "0.002", "mol_Dual_Descriptor"},
    {"mol_DD.cub", "0.002", "mol_Dual_Descriptor"},
    {"x_y_z_DD.cub", "0.002", "z_Dual_Descriptor"},
    {"DD.cub", "0.002", "_Dual_Descriptor"},
    {"mol_ODD.cub", "0.002", "mol_OW_Dual_Descriptor"},
    // Earlier rows win.
    {"mol_oLelf.cub", "0.010", "mol_oLelf"},
    {"mol_f+esd.cub", "0.001", "mol_f+esd"},
    {"mol_DDrdg.cub", "0.500", "mol_DDrdg"},
    // 20, 21: any other grid.
    {"density.cub", "0.025", "density等值面"},
    {"x.cub", "0.025", "x等值面"},
    {"mol_density.cub", "0.025", "mol等值面"},
    {"a_b_c.cub", "0.025", "b等值面"},
    {"mol_xDD.cub", "0.025", "mol等值面"},
    {"mol_DDx.cub", "0.025", "mol等值面"},
    {"mol_Of.cub", "0.025", "mol等值面"},
    {"mol_f.cub", "0.025", "mol等值面"},
    {"mol_o.cub", "0.025", "mol等值面"},
    // Case-sensitive.
    {"mol_OH.cub", "0.025", "mol等值面"},
    {"mol_oh1.cub", "0.025", "mol等值面"},
    {"mol_dd.cub", "0.025", "mol等值面"},
    {"mol_ELF.cub", "0.025", "mol等值面"},
    {"mol_F+.cub", "0.025", "mol等值面"},
    {"mol_ESD.cub", "0.025", "mol等值面"},
    // The type code decides, whatever comes before it.
    {"mol_S1_Hole.cub", "0.001", "S1_空穴电子分析"},
    {"mol_golden.cub", "0.001", "mol_golden"},
};

TEST(DescribeCubeFileTest, KindTable) {
  for (const KindCase& c : kKindCases) {
    SCOPED_TRACE(c.fileName);
    const CubeDescription description =
        describeCubeFile(ConfigGenerator::parseCubeFileName(c.fileName));
    EXPECT_EQ(c.isoValue, description.isoValue);
    EXPECT_EQ(c.title, description.title);
  }
}

TEST(DescribeCubeFileTest, EmptyRecord) {
  const CubeDescription description = describeCubeFile(CubeFileInfo{});
  EXPECT_EQ("0.025", description.isoValue);
  EXPECT_EQ("等值面", description.title);
}

}  // namespace
}  // namespace nodara
