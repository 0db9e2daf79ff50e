/// Plain records held by the ConfigGenerator.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gaussian/orbital_energy.h"

namespace nodara {

/// One cube file of the scanned directory, with its name cut into parts.
struct CubeFileInfo {
  std::string fileName;            ///< bare name with extension
  std::vector<std::string> parts;  ///< non-empty '_'-separated pieces
  std::string typeCode;            ///< last three bytes of the last part
};

/// The hole and electron density files of one excited state.
struct CubePair {
  std::string holeFile;
  std::string electronFile;
  std::string stateLabel;  ///< such as S1
};

/// One element of the document's "viewers" array.
struct ViewerEntry {
  std::int32_t id = 0;
  std::string title;
  std::string color1;
  std::string color2;
  std::string isoValue;
  bool showPositive = true;
  std::string fileName1;
  std::string fileName2;  ///< electron file of a pair; empty for one file
  std::string notes;
};

/// Display texts of one excited state, already formatted.
struct ExcitedStateText {
  std::string wavelengthText;
  std::string oscillatorText;
  std::string transitionsText;  ///< one contribution per line
};

/// Frontier-orbital energies keyed by orbital spec ("h-1", "h", "l", "l+1").
using OrbitalEnergyTable = std::map<std::string, OrbitalEnergy>;

}  // namespace nodara
