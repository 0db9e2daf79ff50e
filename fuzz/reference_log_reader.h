/// Slow, line-by-line readers of a Gaussian log that the log harness
/// compares the tool's readers with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gaussian/excited_state.h"
#include "gaussian/orbital_energy.h"

namespace nodara::fuzz {

/// The TD sections of `lines`, walked one line at a time with the state
/// and contribution matchers. Throws std::out_of_range ("stoi"/"stod") on
/// numbers out of range, like the tool.
std::vector<ExcitationBlock> referenceBlocks(
    const std::vector<std::string_view>& lines);

/// Alpha orbitals of the last eigenvalue block, numbered from 1.
struct ReferenceOrbitals {
  std::vector<OrbitalEnergy> orbitals;
  std::optional<std::int32_t> homoIndex;
};

ReferenceOrbitals referenceOrbitals(const std::vector<std::string_view>& lines);

/// The orbitals an orbital spec (h, l+1, 3-5, "all", lists) names.
std::vector<OrbitalEnergy> referenceSelect(const ReferenceOrbitals& orbitals,
                                           const std::string& spec);

}  // namespace nodara::fuzz
