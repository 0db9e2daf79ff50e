// ConfigGenerator: excitedStateNotes, cubeFileNotes, orbitalEnergyNotes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

class EntryNotesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    generator_.excitedStates["S1"] =
        ExcitedStateText{"350.12", "0.1234", "45->47=0.70123\n44<-48=-0.10000"};
    generator_.excitedStates["S2"] = ExcitedStateText{"300.00", "0.0000", ""};
    generator_.orbitalEnergies["h-1"] = OrbitalEnergy{44, -0.3};
    generator_.orbitalEnergies["h"] = OrbitalEnergy{45, -0.2345};
    generator_.orbitalEnergies["l"] = OrbitalEnergy{46, -0.0123};
    generator_.orbitalEnergies["l+1"] = OrbitalEnergy{47, 0.0456};
  }

  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};
};

TEST_F(EntryNotesTest, ExcitedStateNotes) {
  EXPECT_EQ(
      "λ = 350.12 nm\nf = 0.1234\nTransOrbit:\n45->47=0.70123\n44<-48=-0.10000",
      generator_.excitedStateNotes("S1"));
}

TEST_F(EntryNotesTest, ExcitedStateNotesWithoutTransitions) {
  EXPECT_EQ("λ = 300.00 nm\nf = 0.0000\nTransOrbit:\n",
            generator_.excitedStateNotes("S2"));
}

TEST_F(EntryNotesTest, LambdaIsTwoBytesOfUtf8) {
  EXPECT_EQ(0u, generator_.excitedStateNotes("S1").rfind("\xce\xbb = ", 0));
}

TEST_F(EntryNotesTest, MissingExcitedStateGivesEmptyNotes) {
  EXPECT_EQ("", generator_.excitedStateNotes("S3"));
  EXPECT_EQ("", generator_.excitedStateNotes("s1"));
  EXPECT_EQ("", generator_.excitedStateNotes("S1 "));
  EXPECT_EQ("", generator_.excitedStateNotes(""));
}

struct CubeNotesCase {
  std::string lastPart;
  std::string notes;
};

const CubeNotesCase kCubeNotesCases[] = {
    {"f+", "正值亲电"},
    {"Of+", "正值亲电"},
    {"f-", "正值亲核"},
    {"Of-", "正值亲核"},
    {"DD", "正值亲电"},
    {"ODD", "正值亲电"},
    {"f+1", ""},
    {"f+D", ""},
    {"Of+x", ""},
    {"f-2", ""},
    {"dd", ""},
    {"F+", ""},
    {"xDD", ""},
    {"", ""},
    {"density", ""},
    {"hole", ""},
    {"o", ""},
    {"oH", "45 = -6.3811 eV"},
    {"oH1", "44 = -8.1634 eV"},
    {"oL", "46 = -0.3347 eV"},
    {"oL1", "47 = 1.2408 eV"},
    {"oH2", ""},
    {"oL5", ""},
    {"oHx", ""},
    {"oh", ""},
    {"OH", ""},
};

TEST_F(EntryNotesTest, CubeFileNotesTable) {
  for (const CubeNotesCase& c : kCubeNotesCases) {
    SCOPED_TRACE(c.lastPart);
    EXPECT_EQ(c.notes, generator_.cubeFileNotes(c.lastPart));
  }
}

TEST_F(EntryNotesTest, OrbitalEnergyNotesOfTheFourLabels) {
  EXPECT_EQ("45 = -6.3811 eV", generator_.orbitalEnergyNotes("oH"));
  EXPECT_EQ("44 = -8.1634 eV", generator_.orbitalEnergyNotes("oH1"));
  EXPECT_EQ("46 = -0.3347 eV", generator_.orbitalEnergyNotes("oL"));
  EXPECT_EQ("47 = 1.2408 eV", generator_.orbitalEnergyNotes("oL1"));
}

TEST_F(EntryNotesTest, OrbitalKeyCopiesTheRestUnchanged) {
  generator_.orbitalEnergies["h-12"] = OrbitalEnergy{33, -1.0};
  generator_.orbitalEnergies["l+x"] = OrbitalEnergy{50, 1.0};
  EXPECT_EQ("33 = -27.2114 eV", generator_.orbitalEnergyNotes("oH12"));
  EXPECT_EQ("50 = 27.2114 eV", generator_.orbitalEnergyNotes("oLx"));
  EXPECT_EQ("33 = -27.2114 eV", generator_.cubeFileNotes("oH12"));
}

TEST_F(EntryNotesTest, MissingOrbitalGivesEmptyNotes) {
  EXPECT_EQ("", generator_.orbitalEnergyNotes("oH2"));
  EXPECT_EQ("", generator_.orbitalEnergyNotes("oL3"));
  EXPECT_EQ("", generator_.orbitalEnergyNotes("xyz"));
  generator_.orbitalEnergies.clear();
  EXPECT_EQ("", generator_.orbitalEnergyNotes("oH"));
  EXPECT_EQ("", generator_.cubeFileNotes("oL"));
}

TEST_F(EntryNotesTest, EnergyIsRoundedToFourDecimals) {
  generator_.orbitalEnergies["h"] = OrbitalEnergy{1, 0.0};
  EXPECT_EQ("1 = 0.0000 eV", generator_.orbitalEnergyNotes("oH"));
  generator_.orbitalEnergies["h"] = OrbitalEnergy{-3, -0.00001};
  EXPECT_EQ("-3 = -0.0003 eV", generator_.orbitalEnergyNotes("oH"));
  generator_.orbitalEnergies["h"] = OrbitalEnergy{2147483647, 1000.0};
  EXPECT_EQ("2147483647 = 27211.3862 eV", generator_.orbitalEnergyNotes("oH"));
}

TEST_F(EntryNotesTest, NotesPrintNothing) {
  static_cast<void>(generator_.excitedStateNotes("S1"));
  static_cast<void>(generator_.cubeFileNotes("oH"));
  static_cast<void>(generator_.orbitalEnergyNotes("oL9"));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("", err_.str());
}

}  // namespace
}  // namespace nodara
