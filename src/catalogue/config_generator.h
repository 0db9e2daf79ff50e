/// The generator that owns all state of one run of the tool.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "catalogue/records.h"
#include "log/console.h"

namespace nodara {

/// Catalogues the cube files of a directory, reads the Gaussian log and
/// writes the viewer's JSON configuration. The scan lives in
/// src/catalogue, the generation run and the writer in src/config, and the
/// two log imports in src/gaussian.
class ConfigGenerator {
 public:
  ConfigGenerator() = default;
  explicit ConfigGenerator(Console console) : console_(console) {}
  ConfigGenerator(const ConfigGenerator&) = delete;
  ConfigGenerator& operator=(const ConfigGenerator&) = delete;

  /// Catalogues the ".cub" files of `directory`, sorts them and pairs the
  /// hole/electron files. Returns false (after a line on the failure
  /// stream) when the directory cannot be listed or holds no cube file.
  [[nodiscard]] bool scanDirectory(const std::string& directory);
  static CubeFileInfo parseCubeFileName(const std::string& fileName);
  /// Recognises a hole ("ole") or electron ("ele") file and its state label.
  static bool classifyHoleElectron(const CubeFileInfo& info,
                                   std::string& stateLabel, std::string& kind);
  void pairHoleElectronFiles();

  /// Imports the log (when one is named), builds the entries and writes
  /// the document to `outputPath`. Returns false when any of that failed.
  [[nodiscard]] bool generateConfig(const std::string& outputPath);
  void buildViewerEntries();
  std::string excitedStateNotes(const std::string& stateLabel) const;
  std::string cubeFileNotes(const std::string& lastPart) const;
  std::string orbitalEnergyNotes(const std::string& label) const;
  std::string generateJson() const;
  /// Returns false when the file could not be opened or written; an
  /// existing file is then left as it was.
  [[nodiscard]] bool writeConfigFile(const std::string& outputPath);

  /// Stores the display texts of the last TD section's states S1 to S10.
  [[nodiscard]] bool extractExcitedStates();
  /// Stores the energies of HOMO-1, HOMO, LUMO and LUMO+1.
  bool extractOrbitalEnergies();

  std::vector<CubeFileInfo> cubeFiles;
  std::vector<CubePair> pairs;
  std::vector<ViewerEntry> viewers;
  std::string logFile;
  double threshold = 0.1;
  std::string color1 = "#0000FF";
  std::string color2 = "#FF0000";
  std::map<std::string, ExcitedStateText> excitedStates;
  OrbitalEnergyTable orbitalEnergies;

 private:
  Console console_;
};

}  // namespace nodara
