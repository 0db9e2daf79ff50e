// ConfigGenerator: recognition and pairing of hole/electron density files.
#include <map>
#include <utility>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

bool isStateLabel(const std::string& part) {
  return part.size() >= 2 && part[0] == 'S' && part[1] >= '0' && part[1] <= '9';
}

}  // namespace

bool ConfigGenerator::classifyHoleElectron(const CubeFileInfo& info,
                                           std::string& stateLabel,
                                           std::string& kind) {
  if (info.parts.size() < 2) return false;
  const std::string& last = info.parts.back();
  if (last == "hole" || last == "ole") {
    kind = "ole";
  } else if (last == "ele") {
    kind = "ele";
  } else {
    return false;
  }
  for (std::size_t i = 0; i + 1 < info.parts.size(); ++i) {
    if (isStateLabel(info.parts[i])) {
      stateLabel = info.parts[i];
      return true;
    }
  }
  return false;
}

void ConfigGenerator::pairHoleElectronFiles() {
  // Per state label: (hole file, electron file); the last in catalogue
  // order wins.
  std::map<std::string, std::pair<std::string, std::string>> byLabel;
  for (const CubeFileInfo& info : cubeFiles) {
    std::string stateLabel;
    std::string kind;
    if (!classifyHoleElectron(info, stateLabel, kind)) continue;
    auto& slot = byLabel[stateLabel];
    (kind == "ole" ? slot.first : slot.second) = info.fileName;
  }
  for (const auto& [label, files] : byLabel) {
    if (files.first.empty() || files.second.empty()) continue;
    pairs.push_back(CubePair{files.first, files.second, label});
    console_.printLine("识别到配对: " + label + " -> " + files.first + " + " +
                       files.second);
    console_.flush();
  }
}

}  // namespace nodara
