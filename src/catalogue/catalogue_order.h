/// The order of the cube-file catalogue: frontier orbitals first.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue/records.h"

namespace nodara {

/// Orbital position of a frontier-orbital file (oH2 -2, oH1 -1, oH 0, oL 1,
/// oL1 2); absent for other files and for numbers whose key would leave the
/// 32-bit range.
std::optional<std::int32_t> orbitalSortKey(const CubeFileInfo& info);

/// Catalogue order: files with an orbital key by key, then the rest; ties
/// broken by byte-wise comparison of the file names.
bool catalogueLess(const CubeFileInfo& a, const CubeFileInfo& b);

/// Stable sort of `files` into catalogue order.
void sortCatalogue(std::vector<CubeFileInfo>& files);

}  // namespace nodara
