// ConfigGenerator: the viewer entries, pairs first, then single files.
#include <set>

#include "catalogue/config_generator.h"
#include "config/cube_kind.h"

namespace nodara {

void ConfigGenerator::buildViewerEntries() {
  std::int32_t nextId = 0;
  auto append = [&](const CubeDescription& kind, const std::string& file1,
                    const std::string& file2, std::string notes) {
    viewers.push_back(ViewerEntry{nextId++, kind.title, color1, color2,
                                  kind.isoValue, true, file1, file2,
                                  std::move(notes)});
  };
  std::set<std::string> pairedFiles;
  for (const CubePair& pair : pairs) {
    append(describeCubeFile(parseCubeFileName(pair.holeFile)), pair.holeFile,
           pair.electronFile, excitedStateNotes(pair.stateLabel));
    pairedFiles.insert(pair.holeFile);
    pairedFiles.insert(pair.electronFile);
  }
  for (const CubeFileInfo& info : cubeFiles) {
    if (pairedFiles.count(info.fileName) != 0) continue;
    const std::string lastPart = info.parts.empty() ? "" : info.parts.back();
    append(describeCubeFile(info), info.fileName, "", cubeFileNotes(lastPart));
  }
}

}  // namespace nodara
