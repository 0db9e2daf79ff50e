#include "gaussian/td_section_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "gaussian/number_conversion.h"
#include "gaussian/td_line_patterns.h"

namespace nodara {
namespace {

constexpr std::string_view kSectionMarker =
    "Excitation energies and oscillator strengths:";
constexpr std::string_view kStateMark = "Excited State";
constexpr std::string_view kTotalEnergyMark = "Total Energy, E(TD-HF/TD-DFT)";
constexpr std::size_t kNone = std::string_view::npos;

bool isLabelSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// Orbital number and upper-cased spin letter of a label such as 45A.
/// Numbers beyond 32 bits throw std::out_of_range ("stoi").
void parseOrbitalLabel(std::string_view label, std::int32_t& number,
                       std::string& spin) {
  number = -1;
  spin.clear();
  std::size_t pos = 0;
  while (pos < label.size() && isLabelSpace(label[pos])) ++pos;
  const std::size_t digitsStart = pos;
  while (pos < label.size() && label[pos] >= '0' && label[pos] <= '9') ++pos;
  if (pos > digitsStart) {
    number = toInt(label.substr(digitsStart, pos - digitsStart));
  }
  while (pos < label.size() && isLabelSpace(label[pos])) ++pos;
  if (pos < label.size() && isAsciiLetter(label[pos])) {
    const char letter = label[pos];
    spin.assign(1,
                letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter);
  }
}

ExcitedState makeState(const StateLineMatch& match) {
  ExcitedState state;
  state.index = toInt(match.index);
  state.multiplicity = std::string(match.multiplicity);
  state.symmetry = std::string(match.symmetry);
  state.energyEv = toDouble(match.energyEv);
  state.wavelengthNm = toDouble(match.wavelengthNm);
  state.oscillatorStrength = toDouble(match.oscillatorStrength);
  state.spinSquared = toDouble(match.spinSquared);
  return state;
}

TransitionContribution makeContribution(const ContributionLineMatch& match) {
  TransitionContribution contribution;
  parseOrbitalLabel(match.fromLabel, contribution.fromOrbital,
                    contribution.fromSpin);
  parseOrbitalLabel(match.toLabel, contribution.toOrbital, contribution.toSpin);
  contribution.deexcitation = match.arrow.find("->") == kNone;
  contribution.coefficient = toDouble(match.coefficient);
  return contribution;
}

/// The number after the first '=' of a total-energy line, with Fortran's
/// D exponents read as E; nothing when there is none.
std::optional<double> totalEnergyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == kNone) return std::nullopt;
  const std::size_t start = line.find_first_of("+-0123456789", equals + 1);
  if (start == kNone) return std::nullopt;
  std::size_t end = line.find_first_not_of("+-.0123456789EeDd", start);
  if (end == kNone) end = line.size();
  std::string number(line.substr(start, end - start));
  std::replace_if(
      number.begin(), number.end(), [](char c) { return c == 'D' || c == 'd'; },
      'E');
  return leadingDouble(number);
}

std::size_t lineEndOf(std::string_view text, std::size_t pos) {
  const std::size_t end = text.find('\n', pos);
  return end == kNone ? text.size() : end;
}

std::size_t nextLine(std::string_view text, std::size_t end) {
  return std::min(end + 1, text.size());
}

/// Numbers this short are within the range of a double whatever their
/// digits, so only longer ones need the real conversion to be checked.
constexpr std::size_t kAlwaysInDoubleRange = 300;
/// Digit runs this short always fit a 32-bit int.
constexpr std::size_t kAlwaysInIntRange = 9;

void checkDouble(std::string_view number) {
  if (number.size() >= kAlwaysInDoubleRange)
    static_cast<void>(toDouble(number));
}

/// `label` starts with its digits (\d+[AB]?).
void checkOrbitalLabel(std::string_view label) {
  std::size_t digits = 0;
  while (digits < label.size() && label[digits] >= '0' &&
         label[digits] <= '9') {
    ++digits;
  }
  if (digits > kAlwaysInIntRange)
    static_cast<void>(toInt(label.substr(0, digits)));
}

/// Checks the numbers of a state line the way makeState converts them.
void checkState(const StateLineMatch& match) {
  if (match.index.size() > kAlwaysInIntRange)
    static_cast<void>(toInt(match.index));
  checkDouble(match.energyEv);
  checkDouble(match.wavelengthNm);
  checkDouble(match.oscillatorStrength);
  checkDouble(match.spinSquared);
}

void checkContribution(const ContributionLineMatch& match) {
  checkOrbitalLabel(match.fromLabel);
  checkOrbitalLabel(match.toLabel);
  checkDouble(match.coefficient);
}

}  // namespace

TdSectionReader::TdSectionReader(std::string_view text)
    : text_(text),
      markers_(text, kSectionMarker),
      states_(text, kStateMark),
      totalEnergies_(text, kTotalEnergyMark) {}

TdSectionIndex TdSectionReader::indexSections() {
  std::size_t pos = 0;  // always the start of a line
  while (pos < text_.size()) {
    std::size_t hit = markers_.next(pos);
    if (!index_.sections.empty()) {
      hit = std::min({hit, states_.next(pos), totalEnergies_.next(pos)});
    }
    if (hit == kNone) break;
    pos = handleLine(lineStartOf(hit, pos), lineEndOf(text_, hit));
  }
  return std::move(index_);
}

std::size_t TdSectionReader::handleLine(std::size_t start, std::size_t end) {
  const std::string_view line = text_.substr(start, end - start);
  if (markers_.next(start) < end) {
    TdSectionIndex::Section section;
    section.index = static_cast<std::int32_t>(index_.sections.size());
    section.firstState = index_.stateLines.size();
    index_.sections.push_back(section);
    return nextLine(text_, end);
  }
  if (index_.sections.empty()) return nextLine(text_, end);
  TdSectionIndex::Section& section = index_.sections.back();
  if (states_.next(start) < end) {
    if (const auto match = matchStateLine(line)) {
      checkState(*match);
      const std::size_t after = checkContributions(nextLine(text_, end));
      index_.stateLines.push_back(start);
      ++section.stateCount;
      return after;
    }
  }
  if (totalEnergies_.next(start) < end) {
    if (const auto energy = totalEnergyOf(line)) section.totalEnergy = *energy;
  }
  return nextLine(text_, end);
}

std::size_t TdSectionReader::checkContributions(std::size_t start) const {
  std::size_t pos = start;
  while (pos < text_.size()) {
    const std::size_t end = lineEndOf(text_, pos);
    const auto match = matchContributionLine(text_.substr(pos, end - pos));
    if (!match) return pos;
    checkContribution(*match);
    pos = nextLine(text_, end);
  }
  return pos;
}

ExcitedState TdSectionReader::readState(std::string_view text,
                                        std::size_t offset) {
  std::size_t end = lineEndOf(text, offset);
  ExcitedState state =
      makeState(*matchStateLine(text.substr(offset, end - offset)));
  for (std::size_t pos = nextLine(text, end); pos < text.size();
       pos = nextLine(text, end)) {
    end = lineEndOf(text, pos);
    const auto match = matchContributionLine(text.substr(pos, end - pos));
    if (!match) break;
    state.transitions.push_back(makeContribution(*match));
  }
  return state;
}

std::size_t TdSectionReader::lineStartOf(std::size_t hit,
                                         std::size_t walkPos) const {
  const void* newline = memrchr(text_.data() + walkPos, '\n', hit - walkPos);
  if (newline == nullptr) return walkPos;
  return static_cast<std::size_t>(static_cast<const char*>(newline) -
                                  text_.data()) +
         1;
}

}  // namespace nodara
