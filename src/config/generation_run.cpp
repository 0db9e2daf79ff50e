// ConfigGenerator: the generation run, from the log import to the file.
#include "catalogue/config_generator.h"

namespace nodara {

bool ConfigGenerator::generateConfig(const std::string& outputPath) {
  if (!logFile.empty()) {
    if (!extractExcitedStates()) return false;
    // A log without readable orbital energies only leaves energy notes out.
    static_cast<void>(extractOrbitalEnergies());
  }
  buildViewerEntries();
  if (!writeConfigFile(outputPath)) return false;
  console_.printLine("配置文件已生成: " + outputPath);
  console_.flush();
  console_.printLine("共 " + std::to_string(viewers.size()) + " 个配置项");
  console_.flush();
  return true;
}

}  // namespace nodara
