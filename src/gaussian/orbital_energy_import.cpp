// ConfigGenerator: the import of the frontier-orbital energies.
#include <exception>

#include "catalogue/config_generator.h"
#include "gaussian/gaussian_log_file.h"
#include "gaussian/orbital_energy_parser.h"

namespace nodara {

bool ConfigGenerator::extractOrbitalEnergies() {
  console_.printLine("从log文件提取轨道能量: " + logFile);
  console_.flush();
  try {
    GaussianLogFile log(logFile);
    if (!log.isValid()) return false;
    const OrbitalEnergyParser parser(log);
    for (const char* spec : {"h-1", "h", "l", "l+1"}) {
      const std::vector<OrbitalEnergy> selected = parser.selectOrbitals(spec);
      if (!selected.empty()) orbitalEnergies[spec] = selected.front();
    }
  } catch (const std::exception& e) {
    console_.printError(std::string("提取轨道能量失败: ") + e.what());
    return false;
  }
  console_.printLine("成功提取 " + std::to_string(orbitalEnergies.size()) +
                     " 个轨道能量");
  console_.flush();
  return true;
}

}  // namespace nodara
