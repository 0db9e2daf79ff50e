#include "gaussian/orbital_energy_parser.h"

#include <algorithm>
#include <limits>
#include <locale>
#include <sstream>

#include "gaussian/number_conversion.h"
#include "log/library_logger.h"

namespace nodara {
namespace {

constexpr std::string_view kOccupiedHeading = "Alpha  occ. eigenvalues";
constexpr std::string_view kVirtualHeading = "Alpha virt. eigenvalues";
constexpr std::string_view kVirtualBlockEnd = "Condensed";

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

std::string toLowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

OrbitalEnergyParser::OrbitalEnergyParser(GaussianLogFile& log) : log_(&log) {
  parse();
}

std::vector<double> OrbitalEnergyParser::parseEigenvalueLine(
    std::string_view line) {
  std::vector<double> values;
  const std::size_t dashes = line.find("--");
  if (dashes == std::string_view::npos) return values;
  std::istringstream in(std::string(line.substr(dashes + 2)));
  in.imbue(std::locale::classic());
  double value;
  while (in >> value) values.push_back(value);
  return values;
}

void OrbitalEnergyParser::parse() {
  orbitals_.clear();
  hasOccupied_ = false;
  const std::vector<std::uint64_t>& occupiedLines =
      log_->findLines(std::string(kOccupiedHeading));
  if (occupiedLines.empty()) {
    quor::libraryWarning("未找到轨道能量信息");
    return;
  }
  // The last run of consecutive occupied lines is the last block.
  std::size_t first = occupiedLines.size() - 1;
  while (first > 0 && occupiedLines[first - 1] + 1 == occupiedLines[first]) {
    --first;
  }
  const std::uint64_t lastOccupied = occupiedLines.back();
  const std::optional<std::uint64_t> firstVirtual =
      firstVirtualAfter(lastOccupied);
  if (!firstVirtual) {
    quor::libraryWarning("未找到虚轨道能量信息");
    return;
  }
  std::vector<double> occupied;
  for (std::size_t i = first; i < occupiedLines.size(); ++i) {
    appendValues(occupied, occupiedLines[i]);
  }
  storeOrbitals(occupied, readVirtualBlock(*firstVirtual));
}

std::vector<double> OrbitalEnergyParser::readVirtualBlock(
    std::uint64_t firstVirtual) const {
  // The virtual block ends at the next "Condensed" line or at the end.
  const std::uint64_t stop =
      log_->firstLineContaining(kVirtualBlockEnd, firstVirtual)
          .value_or(log_->lineCount());
  std::vector<double> virtuals;
  for (const std::uint64_t index :
       log_->findLines(std::string(kVirtualHeading))) {
    if (index >= firstVirtual && index < stop) appendValues(virtuals, index);
  }
  return virtuals;
}

void OrbitalEnergyParser::appendValues(std::vector<double>& values,
                                       std::uint64_t lineIndex) const {
  const std::vector<double> read = parseEigenvalueLine(log_->line(lineIndex));
  values.insert(values.end(), read.begin(), read.end());
}

std::optional<std::uint64_t> OrbitalEnergyParser::firstVirtualAfter(
    std::uint64_t lastOccupied) const {
  const std::vector<std::uint64_t>& virtualLines =
      log_->findLines(std::string(kVirtualHeading));
  const auto after =
      std::upper_bound(virtualLines.begin(), virtualLines.end(), lastOccupied);
  if (after == virtualLines.end()) return std::nullopt;
  return *after;
}

void OrbitalEnergyParser::storeOrbitals(const std::vector<double>& occupied,
                                        const std::vector<double>& virtuals) {
  constexpr std::size_t kMaxOrbitals = std::numeric_limits<std::int32_t>::max();
  std::int32_t next = 1;
  auto append = [&](double energy) {
    if (orbitals_.size() < kMaxOrbitals) orbitals_.push_back({next++, energy});
  };
  if (!occupied.empty()) {
    hasOccupied_ = true;
    for (const double energy : occupied) append(energy);
    homoIndex_ = next - 1;
  }
  for (const double energy : virtuals) append(energy);
  if (orbitals_.empty()) {
    quor::libraryWarning("未解析到轨道能量数据");
  } else {
    quor::libraryInfo("成功解析 " + std::to_string(orbitals_.size()) +
                      " 个轨道能量");
  }
}

std::vector<OrbitalEnergy> OrbitalEnergyParser::selectOrbitals(
    const std::string& spec) const {
  if (orbitals_.empty()) return {};
  const std::string lower = toLowerAscii(spec);
  if (lower.find(',') != std::string::npos) return selectList(lower);
  return selectSingle(lower);
}

std::vector<OrbitalEnergy> OrbitalEnergyParser::selectList(
    const std::string& spec) const {
  std::vector<OrbitalEnergy> selected;
  // Orbitals are numbered 1..n, so a flag per number marks those taken.
  std::vector<bool> taken(orbitals_.size() + 1, false);
  std::size_t start = 0;
  while (start <= spec.size() && selected.size() < orbitals_.size()) {
    std::size_t end = spec.find(',', start);
    if (end == std::string::npos) end = spec.size();
    const std::string_view piece =
        trimBlanks(std::string_view(spec).substr(start, end - start));
    start = end + 1;
    if (piece.empty()) continue;
    for (const OrbitalEnergy& orbital : selectSingle(std::string(piece))) {
      if (taken[static_cast<std::size_t>(orbital.index)]) continue;
      taken[static_cast<std::size_t>(orbital.index)] = true;
      selected.push_back(orbital);
    }
  }
  return selected;
}

std::vector<OrbitalEnergy> OrbitalEnergyParser::selectSingle(
    const std::string& spec) const {
  if (spec == "all") return orbitals_;
  if (allDigits(spec)) {
    const std::optional<std::int32_t> number = tryToInt(spec);
    return number && *number > 0 ? orbitalList(*number)
                                 : std::vector<OrbitalEnergy>{};
  }
  const std::size_t dash = spec.find('-');
  if (dash != std::string::npos && dash != 0 && dash + 1 != spec.size() &&
      allDigits(std::string_view(spec).substr(0, dash)) &&
      allDigits(std::string_view(spec).substr(dash + 1))) {
    const std::optional<std::int32_t> a = tryToInt(spec.substr(0, dash));
    const std::optional<std::int32_t> b = tryToInt(spec.substr(dash + 1));
    if (!a || !b || *a < 1 || *b < 1) return {};
    // Orbitals are numbered 1..n without gaps, so the range is a slice.
    const std::int64_t low = std::min(*a, *b);
    const std::int64_t high =
        std::min<std::int64_t>(std::max(*a, *b), orbitals_.size());
    if (low > high) return {};
    return std::vector<OrbitalEnergy>(orbitals_.begin() + (low - 1),
                                      orbitals_.begin() + high);
  }
  return selectRelative(spec);
}

std::vector<OrbitalEnergy> OrbitalEnergyParser::selectRelative(
    const std::string& spec) const {
  if (!hasOccupied_ || spec.empty()) return {};
  std::int64_t base;
  if (spec[0] == 'h') {
    base = homoIndex_;
  } else if (spec[0] == 'l') {
    base = std::int64_t{homoIndex_} + 1;
  } else {
    return {};
  }
  if (spec.size() == 1) return orbitalList(base);
  if ((spec[1] != '+' && spec[1] != '-') || spec.size() < 3) return {};
  const std::optional<std::int32_t> offset = tryToInt(spec.substr(2));
  if (!offset) return {};
  return orbitalList(spec[1] == '+' ? base + *offset : base - *offset);
}

std::vector<OrbitalEnergy> OrbitalEnergyParser::orbitalList(
    std::int64_t index) const {
  const OrbitalEnergy* orbital = findOrbital(index);
  if (orbital == nullptr) return {};
  return {*orbital};
}

const OrbitalEnergy* OrbitalEnergyParser::findOrbital(
    std::int64_t index) const {
  if (index < 1 || index > static_cast<std::int64_t>(orbitals_.size())) {
    return nullptr;
  }
  return &orbitals_[static_cast<std::size_t>(index - 1)];
}

std::optional<OrbitalEnergy> OrbitalEnergyParser::orbitalByIndex(
    std::int32_t index) const {
  if (const OrbitalEnergy* orbital = findOrbital(index)) return *orbital;
  quor::libraryWarning("未找到指定轨道: " + std::to_string(index));
  return std::nullopt;
}

std::optional<std::int32_t> OrbitalEnergyParser::homoOrbitalIndex() const {
  if (!hasOccupied_) return std::nullopt;
  return homoIndex_;
}

FrontierEnergies OrbitalEnergyParser::frontierEnergies() const {
  FrontierEnergies result;
  const std::vector<std::uint64_t>& occupiedLines =
      log_->findLines(std::string(kOccupiedHeading));
  if (occupiedLines.empty()) {
    quor::libraryWarning("未找到占据轨道能量");
    return result;
  }
  const std::vector<double> homoLine =
      parseEigenvalueLine(log_->line(occupiedLines.back()));
  if (homoLine.empty()) {
    quor::libraryWarning("无法解析占据轨道能量");
    return result;
  }
  const std::optional<std::uint64_t> firstVirtual =
      firstVirtualAfter(occupiedLines.back());
  if (!firstVirtual) {
    quor::libraryWarning("未找到虚轨道能量");
    return result;
  }
  const std::vector<double> lumoLine =
      parseEigenvalueLine(log_->line(*firstVirtual));
  if (lumoLine.empty()) {
    quor::libraryWarning("无法解析虚轨道能量");
    return result;
  }
  result = {homoLine.back(), lumoLine.front(),
            lumoLine.front() - homoLine.back(), true};
  return result;
}

std::optional<double> OrbitalEnergyParser::homoEnergy() const {
  const FrontierEnergies energies = frontierEnergies();
  return energies.valid ? std::optional<double>(energies.homo) : std::nullopt;
}

std::optional<double> OrbitalEnergyParser::lumoEnergy() const {
  const FrontierEnergies energies = frontierEnergies();
  return energies.valid ? std::optional<double>(energies.lumo) : std::nullopt;
}

std::optional<double> OrbitalEnergyParser::homoLumoGap() const {
  const FrontierEnergies energies = frontierEnergies();
  return energies.valid ? std::optional<double>(energies.gap) : std::nullopt;
}

}  // namespace nodara
