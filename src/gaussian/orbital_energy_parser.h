/// Reader of the alpha orbital energies of a Gaussian log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gaussian/gaussian_log_file.h"
#include "gaussian/orbital_energy.h"

namespace nodara {

/// HOMO and LUMO energies (hartree) and their gap; the numbers mean nothing
/// when `valid` is false.
struct FrontierEnergies {
  double homo = 0.0;
  double lumo = 0.0;
  double gap = 0.0;
  bool valid = false;
};

/// Reads the last block of "Alpha  occ. eigenvalues" lines and the
/// "Alpha virt. eigenvalues" lines after it, numbers the orbitals from 1
/// (occupied first) and resolves orbital specs such as h-1, l+1, 5-8, all.
/// The log must outlive the parser.
class OrbitalEnergyParser {
 public:
  /// Parses `log` at once.
  explicit OrbitalEnergyParser(GaussianLogFile& log);

  void parse();

  /// The numbers after the first "--" of an eigenvalue line, up to the
  /// first field that is not a number.
  static std::vector<double> parseEigenvalueLine(std::string_view line);

  /// The orbitals a spec names; empty when it names none.
  std::vector<OrbitalEnergy> selectOrbitals(const std::string& spec) const;
  std::optional<OrbitalEnergy> orbitalByIndex(std::int32_t index) const;
  std::vector<OrbitalEnergy> allOrbitals() const { return orbitals_; }
  std::optional<std::int32_t> homoOrbitalIndex() const;

  FrontierEnergies frontierEnergies() const;
  std::optional<double> homoEnergy() const;
  std::optional<double> lumoEnergy() const;
  std::optional<double> homoLumoGap() const;

 private:
  /// Index of the first virtual line after `lastOccupied`, if any.
  std::optional<std::uint64_t> firstVirtualAfter(
      std::uint64_t lastOccupied) const;
  /// Energies of the virtual lines from `firstVirtual` to the block's end.
  std::vector<double> readVirtualBlock(std::uint64_t firstVirtual) const;
  void appendValues(std::vector<double>& values, std::uint64_t lineIndex) const;
  void storeOrbitals(const std::vector<double>& occupied,
                     const std::vector<double>& virtuals);
  std::vector<OrbitalEnergy> selectList(const std::string& spec) const;
  std::vector<OrbitalEnergy> selectSingle(const std::string& spec) const;
  std::vector<OrbitalEnergy> selectRelative(const std::string& spec) const;
  std::vector<OrbitalEnergy> orbitalList(std::int64_t index) const;
  const OrbitalEnergy* findOrbital(std::int64_t index) const;

  GaussianLogFile* log_;
  std::vector<OrbitalEnergy> orbitals_;
  std::int32_t homoIndex_ = 0;
  bool hasOccupied_ = false;
};

}  // namespace nodara
