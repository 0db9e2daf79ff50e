/// The kind table: which title and iso value a cube file's name gives.
#pragma once

#include <string>

#include "catalogue/records.h"

namespace nodara {

/// Iso-surface value and display title of one cube file.
struct CubeDescription {
  std::string isoValue;
  std::string title;
};

/// Reads the kind of a cube file from its parsed name.
CubeDescription describeCubeFile(const CubeFileInfo& info);

}  // namespace nodara
