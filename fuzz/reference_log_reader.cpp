#include "reference_log_reader.h"

#include <algorithm>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "gaussian/td_line_patterns.h"

namespace nodara::fuzz {
namespace {

constexpr std::string_view kMarker =
    "Excitation energies and oscillator strengths:";
constexpr std::string_view kTotalEnergy = "Total Energy, E(TD-HF/TD-DFT)";
constexpr std::string_view kOccupied = "Alpha  occ. eigenvalues";
constexpr std::string_view kVirtual = "Alpha virt. eigenvalues";

bool contains(std::string_view line, std::string_view text) {
  return line.find(text) != std::string_view::npos;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

void readLabel(std::string_view label, std::int32_t& number,
               std::string& spin) {
  std::size_t pos = 0;
  while (pos < label.size() && isSpace(label[pos])) ++pos;
  const std::size_t digits = pos;
  while (pos < label.size() && label[pos] >= '0' && label[pos] <= '9') ++pos;
  if (pos > digits) {
    number = std::stoi(std::string(label.substr(digits, pos - digits)));
  }
  while (pos < label.size() && isSpace(label[pos])) ++pos;
  if (pos == label.size()) return;
  const char c = label[pos];
  if (c >= 'a' && c <= 'z') spin.assign(1, static_cast<char>(c - 'a' + 'A'));
  if (c >= 'A' && c <= 'Z') spin.assign(1, c);
}

TransitionContribution makeContribution(const ContributionLineMatch& m) {
  TransitionContribution c;
  readLabel(m.fromLabel, c.fromOrbital, c.fromSpin);
  readLabel(m.toLabel, c.toOrbital, c.toSpin);
  c.deexcitation = !contains(m.arrow, "->");
  c.coefficient = std::stod(std::string(m.coefficient));
  return c;
}

ExcitedState makeState(const StateLineMatch& m) {
  ExcitedState s;
  s.index = std::stoi(std::string(m.index));
  s.multiplicity = std::string(m.multiplicity);
  s.symmetry = std::string(m.symmetry);
  s.energyEv = std::stod(std::string(m.energyEv));
  s.wavelengthNm = std::stod(std::string(m.wavelengthNm));
  s.oscillatorStrength = std::stod(std::string(m.oscillatorStrength));
  s.spinSquared = std::stod(std::string(m.spinSquared));
  return s;
}

void readTotalEnergy(std::string_view line, ExcitationBlock& block) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::size_t first = line.find_first_of("+-0123456789", equals + 1);
  if (first == std::string_view::npos) return;
  const std::size_t end = line.find_first_not_of("+-.0123456789EeDd", first);
  std::string run(line.substr(first, end == std::string_view::npos
                                         ? std::string_view::npos
                                         : end - first));
  std::replace(run.begin(), run.end(), 'D', 'E');
  std::replace(run.begin(), run.end(), 'd', 'E');
  char* stop = nullptr;
  const double value = std::strtod(run.c_str(), &stop);
  if (stop != run.c_str()) block.totalEnergy = value;
}

/// Reads the state at line `i` and its contribution lines; returns the
/// index of the line after them.
std::size_t readState(const std::vector<std::string_view>& lines, std::size_t i,
                      const StateLineMatch& match, ExcitationBlock& block) {
  ExcitedState state = makeState(match);
  for (++i; i < lines.size(); ++i) {
    const auto contribution = matchContributionLine(lines[i]);
    if (!contribution) break;
    state.transitions.push_back(makeContribution(*contribution));
  }
  block.states.push_back(std::move(state));
  return i;
}

std::vector<double> eigenvalues(std::string_view line) {
  std::vector<double> values;
  const std::size_t dashes = line.find("--");
  if (dashes == std::string_view::npos) return values;
  std::istringstream in(std::string(line.substr(dashes + 2)));
  in.imbue(std::locale::classic());
  for (double v; in >> v;) values.push_back(v);
  return values;
}

void append(std::vector<double>& to, const std::vector<double>& values) {
  to.insert(to.end(), values.begin(), values.end());
}

std::optional<std::int64_t> toInt(const std::string& text) {
  try {
    return std::stoi(text);
  } catch (const std::logic_error&) {
    return std::nullopt;
  }
}

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

std::vector<OrbitalEnergy> byIndex(const ReferenceOrbitals& r,
                                   std::int64_t index) {
  for (const OrbitalEnergy& o : r.orbitals) {
    if (o.index == index) return {o};
  }
  return {};
}

std::vector<OrbitalEnergy> selectRange(const ReferenceOrbitals& r,
                                       const std::string& s, std::size_t d) {
  const auto a = toInt(s.substr(0, d));
  const auto b = toInt(s.substr(d + 1));
  if (!a || !b || *a < 1 || *b < 1) return {};
  std::vector<OrbitalEnergy> out;
  for (const OrbitalEnergy& o : r.orbitals) {
    if (o.index >= std::min(*a, *b) && o.index <= std::max(*a, *b)) {
      out.push_back(o);
    }
  }
  return out;
}

std::vector<OrbitalEnergy> selectRelative(const ReferenceOrbitals& r,
                                          const std::string& s) {
  if (!r.homoIndex || s.empty() || (s[0] != 'h' && s[0] != 'l')) return {};
  const std::int64_t base = *r.homoIndex + (s[0] == 'l' ? 1 : 0);
  if (s.size() == 1) return byIndex(r, base);
  if ((s[1] != '+' && s[1] != '-') || s.size() < 3) return {};
  const auto n = toInt(s.substr(2));
  if (!n) return {};
  return byIndex(r, s[1] == '+' ? base + *n : base - *n);
}

std::vector<OrbitalEnergy> selectOne(const ReferenceOrbitals& r,
                                     const std::string& s) {
  if (s == "all") return r.orbitals;
  if (allDigits(s)) {
    const auto n = toInt(s);
    return n && *n > 0 ? byIndex(r, *n) : std::vector<OrbitalEnergy>{};
  }
  const std::size_t d = s.find('-');
  if (d != std::string::npos && d != 0 && d + 1 != s.size() &&
      allDigits(s.substr(0, d)) && allDigits(s.substr(d + 1))) {
    return selectRange(r, s, d);
  }
  return selectRelative(r, s);
}

std::string trimmed(const std::string& piece) {
  const std::size_t first = piece.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return piece.substr(first, piece.find_last_not_of(" \t") - first + 1);
}

std::vector<OrbitalEnergy> selectList(const ReferenceOrbitals& r,
                                      const std::string& s) {
  std::vector<OrbitalEnergy> out;
  std::vector<bool> seen(r.orbitals.size() + 1, false);
  std::istringstream pieces(s + ",");
  for (std::string piece; std::getline(pieces, piece, ',');) {
    piece = trimmed(piece);
    if (piece.empty()) continue;
    for (const OrbitalEnergy& o : selectOne(r, piece)) {
      if (seen[static_cast<std::size_t>(o.index)]) continue;
      seen[static_cast<std::size_t>(o.index)] = true;
      out.push_back(o);
    }
  }
  return out;
}

}  // namespace

std::vector<ExcitationBlock> referenceBlocks(
    const std::vector<std::string_view>& lines) {
  std::vector<ExcitationBlock> blocks;
  std::size_t i = 0;
  while (i < lines.size()) {
    const std::string_view line = lines[i];
    if (contains(line, kMarker)) {
      blocks.emplace_back();
      blocks.back().index = static_cast<std::int32_t>(blocks.size() - 1);
    } else if (!blocks.empty()) {
      if (const auto state = matchStateLine(line)) {
        i = readState(lines, i, *state, blocks.back());
        continue;
      }
      if (contains(line, kTotalEnergy)) readTotalEnergy(line, blocks.back());
    }
    ++i;
  }
  return blocks;
}

ReferenceOrbitals referenceOrbitals(
    const std::vector<std::string_view>& lines) {
  ReferenceOrbitals r;
  std::size_t last = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (contains(lines[i], kOccupied)) last = i;
  }
  if (last == lines.size()) return r;
  std::size_t start = last;
  while (start > 0 && contains(lines[start - 1], kOccupied)) --start;
  std::size_t firstVirtual = last + 1;
  while (firstVirtual < lines.size() &&
         !contains(lines[firstVirtual], kVirtual))
    ++firstVirtual;
  if (firstVirtual == lines.size()) return r;
  std::vector<double> occupied;
  std::vector<double> virtuals;
  for (std::size_t i = start; i < firstVirtual; ++i) {
    if (contains(lines[i], kOccupied)) append(occupied, eigenvalues(lines[i]));
  }
  for (std::size_t i = firstVirtual; i < lines.size(); ++i) {
    if (contains(lines[i], "Condensed")) break;
    if (contains(lines[i], kVirtual)) append(virtuals, eigenvalues(lines[i]));
  }
  std::int32_t next = 1;
  for (const double e : occupied) r.orbitals.push_back({next++, e});
  if (!occupied.empty()) r.homoIndex = next - 1;
  for (const double e : virtuals) r.orbitals.push_back({next++, e});
  return r;
}

std::vector<OrbitalEnergy> referenceSelect(const ReferenceOrbitals& orbitals,
                                           const std::string& spec) {
  if (orbitals.orbitals.empty()) return {};
  std::string s = spec;
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (s.find(',') != std::string::npos) return selectList(orbitals, s);
  return selectOne(orbitals, s);
}

}  // namespace nodara::fuzz
