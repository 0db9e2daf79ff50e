/// One molecular orbital read from a Gaussian log.
#pragma once

#include <cstdint>

namespace nodara {

/// An orbital's 1-based number (occupied orbitals first, then virtual ones)
/// and its energy in hartree as printed in the log.
struct OrbitalEnergy {
  std::int32_t index = 0;
  double energy = 0.0;
};

}  // namespace nodara
