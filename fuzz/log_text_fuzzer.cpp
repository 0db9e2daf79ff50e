/// libFuzzer harness: the input is the text of a Gaussian log. Runs every
/// query of the log file and of the two readers, and compares them with the
/// line-by-line reference readers and, on short lines, with std::regex.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/config_generator.h"
#include "gaussian/excited_state_parser.h"
#include "gaussian/gaussian_log_file.h"
#include "gaussian/orbital_energy_parser.h"
#include "gaussian/td_line_patterns.h"
#include "log/console.h"
#include "reference_log_reader.h"

namespace nodara::fuzz {
namespace {

/// Lines up to this length are also matched with std::regex, which is slow
/// and recursive.
constexpr std::size_t kRegexLineLimit = 200;
constexpr std::size_t kRegexLinesPerInput = 32;

void check(bool ok, const char* property) {
  if (ok) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  __builtin_trap();
}

/// The two out-of-range errors that a log with huge numbers is allowed to
/// raise; anything else escapes to libFuzzer.
bool isConversionError(const std::out_of_range& error) {
  const std::string_view what = error.what();
  return what == "stoi" || what == "stod";
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void checkLines(const GaussianLogFile& log,
                const std::vector<std::string_view>& expected,
                std::string_view input) {
  check(log.text() == input, "text() is the input");
  check(log.lineCount() == expected.size(), "lineCount");
  std::uint64_t i = 0;
  for (const std::string_view line : log.lines()) {
    check(i < expected.size() && line == expected[i], "lines() in order");
    check(line.find('\n') == std::string_view::npos, "line holds no LF");
    ++i;
  }
  check(i == expected.size(), "lines() size");
  // Random access, backwards and out of range.
  for (std::uint64_t k = expected.size(); k-- > 0;) {
    check(log.line(k) == expected[k], "line(k) backwards");
    if (k > 64) k -= k / 3;
  }
  check(log.line(expected.size()).empty(), "line(lineCount) empty");
  check(log.lineText(std::numeric_limits<std::uint64_t>::max()).empty(),
        "lineText(max) empty");
  const bool gaussian = input.find("Gaussian") != std::string_view::npos;
  check(log.isValid() == gaussian, "isValid");
}

void checkFirstLineContaining(const GaussianLogFile& log,
                              const std::vector<std::string_view>& lines,
                              const std::string& pattern,
                              const std::vector<std::uint64_t>& hits) {
  const bool hasNewline = pattern.find('\n') != std::string::npos;
  for (const std::uint64_t from :
       {std::uint64_t{0}, std::uint64_t{lines.size() / 2 + 1},
        std::uint64_t{lines.size()}}) {
    std::optional<std::uint64_t> expected;
    for (const std::uint64_t hit : hits) {
      if (hit >= from) {
        expected = hit;
        break;
      }
    }
    if (hasNewline || from >= lines.size()) expected.reset();
    check(log.firstLineContaining(pattern, from) == expected,
          "firstLineContaining");
  }
}

void checkFindLines(GaussianLogFile& log,
                    const std::vector<std::string_view>& lines,
                    const std::string& pattern) {
  const std::vector<std::uint64_t>& hits = log.findLines(pattern);
  std::vector<std::uint64_t> expected;
  for (std::uint64_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(pattern) != std::string_view::npos) expected.push_back(i);
  }
  check(hits == expected, "findLines equals a line-by-line search");
  check(&log.findLines(pattern) == &hits, "findLines is cached");
  for (std::size_t i = 0; i < hits.size(); ++i) {
    check(hits[i] < log.lineCount(), "findLines index < lineCount");
    check(i == 0 || hits[i - 1] < hits[i], "findLines ascending");
  }
  // The readers' own headings get firstLineContaining from the parsers.
  constexpr std::size_t kHeadingLength = 20;
  if (pattern.size() < kHeadingLength) {
    checkFirstLineContaining(log, lines, pattern, hits);
  }
  check(log.containsText(pattern) == !expected.empty(), "containsText");
}

std::vector<std::string> searchPatterns(
    std::string_view input, const std::vector<std::string_view>& lines) {
  std::vector<std::string> patterns = {
      "Gaussian",
      "",
      "Alpha  occ. eigenvalues",
      "Alpha virt. eigenvalues",
      "Excitation energies and oscillator strengths:",
      "\n",
      "--",
  };
  if (!lines.empty()) patterns.emplace_back(lines[0].substr(0, 16));
  if (input.size() >= 3) patterns.emplace_back(input.substr(input.size() - 3));
  if (input.size() >= 1)
    patterns.emplace_back(input.substr(input.size() / 2, 1));
  return patterns;
}

template <typename Match>
void checkGroups(std::string_view line, const std::cmatch& expected,
                 const std::optional<Match>& actual,
                 std::initializer_list<std::string_view Match::*> groups) {
  check(actual.has_value() == !expected.empty(), "matcher agrees on a match");
  if (!actual) return;
  std::size_t g = 1;
  for (const auto group : groups) {
    const std::string_view got = (*actual).*group;
    const std::ptrdiff_t at = got.data() - line.data();
    check(got == std::string_view(expected[g].first, expected[g].length()),
          "matcher group text");
    check(at == expected.position(g), "matcher group position");
    ++g;
  }
}

const std::regex& stateRegex() {
  static const std::regex pattern(
      R"(Excited State\s+(\d+):\s+(Singlet|Triplet|[+-]?\d+\.?\d*)-([^\s]+))"
      R"(\s+([+-]?\d+\.\d+)\s+eV\s+([+-]?\d+\.\d+)\s+nm\s+f=([+-]?\d+\.\d+))"
      R"(\s+<S\*\*2>=(\d+\.\d+))");
  return pattern;
}

const std::regex& contributionRegex() {
  static const std::regex pattern(
      R"(\s*(\d+[AB]?)\s*(->\s*|<-\s*)(\d+[AB]?)\s+(-?\d+\.\d+))");
  return pattern;
}

/// Compares the state matcher with the expression on one line; returns
/// whether the (slow) expression had to run.
bool checkStateMatcher(std::string_view line) {
  const auto actual = matchStateLine(line);
  std::cmatch expected;
  // Without its literal head the expression cannot match.
  const bool candidate = line.find("Excited State") != std::string_view::npos;
  if (candidate) {
    std::regex_search(line.data(), line.data() + line.size(), expected,
                      stateRegex());
  }
  checkGroups<StateLineMatch>(
      line, expected, actual,
      {&StateLineMatch::index, &StateLineMatch::multiplicity,
       &StateLineMatch::symmetry, &StateLineMatch::energyEv,
       &StateLineMatch::wavelengthNm, &StateLineMatch::oscillatorStrength,
       &StateLineMatch::spinSquared});
  return candidate;
}

bool checkContributionMatcher(std::string_view line) {
  const auto actual = matchContributionLine(line);
  std::cmatch expected;
  // Without an arrow the expression cannot match.
  const bool candidate = line.find("->") != std::string_view::npos ||
                         line.find("<-") != std::string_view::npos;
  if (candidate) {
    std::regex_search(line.data(), line.data() + line.size(), expected,
                      contributionRegex());
  }
  checkGroups<ContributionLineMatch>(
      line, expected, actual,
      {&ContributionLineMatch::fromLabel, &ContributionLineMatch::arrow,
       &ContributionLineMatch::toLabel, &ContributionLineMatch::coefficient});
  return candidate;
}

/// Checks the matchers on every short line until the expressions have run
/// on a fixed number of candidate lines.
void checkMatchers(const std::vector<std::string_view>& lines) {
  std::size_t regexRuns = 0;
  for (const std::string_view line : lines) {
    if (line.size() >= kRegexLineLimit) continue;
    if (regexRuns >= kRegexLinesPerInput) break;
    regexRuns += checkStateMatcher(line) ? 1 : 0;
    regexRuns += checkContributionMatcher(line) ? 1 : 0;
  }
}

bool sameContribution(const TransitionContribution& a,
                      const TransitionContribution& b) {
  return a.fromOrbital == b.fromOrbital && a.toOrbital == b.toOrbital &&
         a.fromSpin == b.fromSpin && a.toSpin == b.toSpin &&
         sameBits(a.coefficient, b.coefficient) &&
         a.deexcitation == b.deexcitation;
}

bool sameState(const ExcitedState& a, const ExcitedState& b) {
  if (a.index != b.index || a.multiplicity != b.multiplicity ||
      a.symmetry != b.symmetry || !sameBits(a.energyEv, b.energyEv) ||
      !sameBits(a.wavelengthNm, b.wavelengthNm) ||
      !sameBits(a.oscillatorStrength, b.oscillatorStrength) ||
      !sameBits(a.spinSquared, b.spinSquared) ||
      a.transitions.size() != b.transitions.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.transitions.size(); ++i) {
    if (!sameContribution(a.transitions[i], b.transitions[i])) return false;
  }
  return true;
}

bool sameStates(const std::vector<ExcitedState>& a,
                const std::vector<ExcitedState>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameState(a[i], b[i])) return false;
  }
  return true;
}

bool sameBlock(const ExcitationBlock& a, const ExcitationBlock& b) {
  return a.index == b.index && sameBits(a.totalEnergy, b.totalEnergy) &&
         sameStates(a.states, b.states);
}

bool sameBlocks(const std::vector<ExcitationBlock>& a,
                const std::vector<ExcitationBlock>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameBlock(a[i], b[i])) return false;
  }
  return true;
}

bool isEmptyBlock(const ExcitationBlock& block) {
  return block.index == -1 && block.states.empty() &&
         sameBits(block.totalEnergy, 0.0);
}

/// The multiplicity words of one class and of the other, and its spin.
struct SpinClass {
  const char* word;
  const char* lowerWord;
  const char* otherWord;
  const char* lowerOtherWord;
  double spin;
};

std::vector<ExcitedState> statesOfSpin(const std::vector<ExcitedState>& all,
                                       const SpinClass& spin) {
  std::vector<ExcitedState> kept;
  for (const ExcitedState& state : all) {
    const std::string& m = state.multiplicity;
    if (m == spin.word || m == spin.lowerWord) {
      kept.push_back(state);
      continue;
    }
    if (m == spin.otherWord || m == spin.lowerOtherWord) continue;
    try {
      if (std::fabs(std::stod(m) - spin.spin) < 0.6) kept.push_back(state);
    } catch (const std::logic_error&) {
    }
  }
  return kept;
}

std::vector<ExcitedState> concatStates(
    const std::vector<ExcitationBlock>& blocks) {
  std::vector<ExcitedState> all;
  for (const ExcitationBlock& block : blocks) {
    all.insert(all.end(), block.states.begin(), block.states.end());
  }
  return all;
}

void checkStateQueries(ExcitedStateParser& parser,
                       const std::vector<ExcitationBlock>& blocks) {
  const std::vector<ExcitedState> all = concatStates(blocks);
  check(sameStates(parser.allStates(), all), "allStates");
  check(sameStates(parser.singletStates(),
                   statesOfSpin(
                       all, {"Singlet", "singlet", "Triplet", "triplet", 1.0})),
        "singletStates");
  check(sameStates(parser.tripletStates(),
                   statesOfSpin(
                       all, {"Triplet", "triplet", "Singlet", "singlet", 3.0})),
        "tripletStates");
  for (const double minimum : {0.0, 0.01, -1.0, std::nan("")}) {
    std::vector<ExcitedState> bright;
    for (const ExcitedState& s : all) {
      if (s.oscillatorStrength >= minimum) bright.push_back(s);
    }
    check(sameStates(parser.brightStates(minimum), bright), "brightStates");
  }
  std::vector<std::int32_t> numbers = {1, 2, 0, -1,
                                       std::numeric_limits<int32_t>::max()};
  if (!all.empty()) numbers.push_back(all.back().index);
  for (const std::int32_t number : numbers) {
    const auto found = parser.stateByIndex(number);
    const ExcitedState* expected = nullptr;
    for (const ExcitedState& s : all) {
      if (s.index == number) {
        expected = &s;
        break;
      }
    }
    check(found.has_value() == (expected != nullptr) &&
              (!found || sameState(*found, *expected)),
          "stateByIndex");
  }
}

void checkBlockQueries(ExcitedStateParser& parser,
                       const std::vector<ExcitationBlock>& blocks) {
  check(sameBlocks(parser.blocks(), blocks), "blocks equal the reference");
  check(sameBlocks(parser.allBlocks(), blocks), "allBlocks");
  check(parser.blockCount() == static_cast<std::int32_t>(blocks.size()),
        "blockCount");
  const ExcitationBlock last = parser.lastBlock();
  check(blocks.empty() ? isEmptyBlock(last) : sameBlock(last, blocks.back()),
        "lastBlock");
  const auto count = static_cast<std::int32_t>(blocks.size());
  for (const std::int32_t index :
       {-1, 0, 1, count - 1, count, std::numeric_limits<int32_t>::min()}) {
    const ExcitationBlock block = parser.blockByIndex(index);
    const bool exists = index >= 0 && index < count;
    check(exists ? sameBlock(block, blocks[static_cast<std::size_t>(index)])
                 : isEmptyBlock(block),
          "blockByIndex");
  }
}

/// The reference blocks, or the text of the conversion error that reading
/// them raised.
struct ReferenceTd {
  std::vector<ExcitationBlock> blocks;
  std::optional<std::string> error;
};

ReferenceTd readReferenceTd(const std::vector<std::string_view>& lines) {
  ReferenceTd td;
  try {
    td.blocks = referenceBlocks(lines);
  } catch (const std::out_of_range& error) {
    if (!isConversionError(error)) throw;
    td.error = error.what();
  }
  return td;
}

/// Runs the excited-state reader; it may fail only with the conversion
/// error of the first bad number in log order, exactly where the reference
/// fails.
void exerciseExcitedStates(const GaussianLogFile& log,
                           const ReferenceTd& expected) {
  ExcitedStateParser parser(log);
  try {
    parser.parse();
  } catch (const std::out_of_range& error) {
    if (!isConversionError(error)) throw;
    check(expected.error == std::string(error.what()),
          "parse fails with the reference's conversion error");
    return;
  }
  check(!expected.error, "parse did not fail where the reference did");
  checkBlockQueries(parser, expected.blocks);
  checkStateQueries(parser, expected.blocks);
}

bool sameOrbitals(const std::vector<OrbitalEnergy>& a,
                  const std::vector<OrbitalEnergy>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].index != b[i].index || !sameBits(a[i].energy, b[i].energy))
      return false;
  }
  return true;
}

const char* const kSpecs[] = {
    "h",
    "l",
    "h-1",
    "l+1",
    "h+1",
    "l-1",
    "H-1",
    "L+1",
    "all",
    "ALL",
    "1",
    "0",
    "3",
    "3-5",
    "5-3",
    "0-3",
    "3-",
    "-3",
    "1-1",
    "h, l ,h",
    "3,1,3",
    "h+",
    "hx",
    "homo",
    "lumo",
    " h",
    "h-1abc",
    "99999999999",
    "h-99999999999",
    "l+2147483647",
    "h-2147483648",
    "h+ 2",
    "l- +1",
    ",",
    ",,h,",
    "all,1",
    "2-1,all,h",
    "1-2147483647",
    "\t1 , 2\t",
    "h\xff",
    "",
    "+1",
    "l+-1",
    "h--1",
};

void checkSpec(const OrbitalEnergyParser& parser,
               const ReferenceOrbitals& reference, const std::string& spec) {
  check(sameOrbitals(parser.selectOrbitals(spec),
                     referenceSelect(reference, spec)),
        "selectOrbitals");
}

void checkSpecs(const OrbitalEnergyParser& parser,
                const ReferenceOrbitals& reference,
                const std::vector<std::string_view>& lines) {
  for (const char* spec : kSpecs) checkSpec(parser, reference, spec);
  if (!lines.empty()) {
    checkSpec(parser, reference, std::string(lines[0].substr(0, 256)));
  }
}

/// HOMO from the last occupied line, LUMO from the first virtual line
/// after it, read straight from the lines.
FrontierEnergies referenceFrontier(const std::vector<std::string_view>& lines) {
  FrontierEnergies frontier;
  std::size_t last = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("Alpha  occ. eigenvalues") != std::string_view::npos)
      last = i;
  }
  if (last == lines.size()) return frontier;
  const auto occupied = OrbitalEnergyParser::parseEigenvalueLine(lines[last]);
  if (occupied.empty()) return frontier;
  for (std::size_t i = last + 1; i < lines.size(); ++i) {
    if (lines[i].find("Alpha virt. eigenvalues") == std::string_view::npos)
      continue;
    const auto virtuals = OrbitalEnergyParser::parseEigenvalueLine(lines[i]);
    if (virtuals.empty()) return frontier;
    return {occupied.back(), virtuals.front(),
            virtuals.front() - occupied.back(), true};
  }
  return frontier;
}

void checkFrontier(const OrbitalEnergyParser& parser,
                   const std::vector<std::string_view>& lines) {
  const FrontierEnergies frontier = parser.frontierEnergies();
  const FrontierEnergies expected = referenceFrontier(lines);
  check(frontier.valid == expected.valid, "frontierEnergies validity");
  const auto homo = parser.homoEnergy();
  const auto lumo = parser.lumoEnergy();
  const auto gap = parser.homoLumoGap();
  check(homo.has_value() == frontier.valid &&
            lumo.has_value() == frontier.valid &&
            gap.has_value() == frontier.valid,
        "frontier wrappers agree on validity");
  if (!frontier.valid) return;
  check(sameBits(frontier.homo, expected.homo) &&
            sameBits(frontier.lumo, expected.lumo) &&
            sameBits(frontier.gap, expected.gap),
        "frontierEnergies values");
  check(sameBits(*homo, frontier.homo) && sameBits(*lumo, frontier.lumo) &&
            sameBits(*gap, frontier.gap),
        "frontier wrappers agree on values");
}

void exerciseOrbitals(GaussianLogFile& log,
                      const std::vector<std::string_view>& lines,
                      const ReferenceOrbitals& reference) {
  OrbitalEnergyParser parser(log);
  check(sameOrbitals(parser.allOrbitals(), reference.orbitals),
        "allOrbitals equals the reference");
  check(parser.homoOrbitalIndex() == reference.homoIndex, "homoOrbitalIndex");
  parser.parse();
  check(sameOrbitals(parser.allOrbitals(), reference.orbitals),
        "parse again gives the same orbitals");
  const auto count = static_cast<std::int32_t>(reference.orbitals.size());
  for (const std::int32_t index :
       {0, 1, count, count + 1, -1, std::numeric_limits<int32_t>::min()}) {
    const auto orbital = parser.orbitalByIndex(index);
    const bool exists = index >= 1 && index <= count;
    check(orbital.has_value() == exists &&
              (!exists ||
               sameOrbitals(
                   {*orbital},
                   {reference.orbitals[static_cast<std::size_t>(index - 1)]})),
          "orbitalByIndex");
  }
  checkSpecs(parser, reference, lines);
  checkFrontier(parser, lines);
  for (std::size_t i = 0; i < lines.size() && i < 8; ++i) {
    OrbitalEnergyParser::parseEigenvalueLine(lines[i]);
  }
  const std::vector<double> fixed = OrbitalEnergyParser::parseEigenvalueLine(
      " Alpha  occ. eigenvalues --  -1.0-2.5 3e2 ***** 4.0");
  check(fixed == std::vector<double>{-1.0, -2.5, 300.0},
        "parseEigenvalueLine of a fixed line");
  check(OrbitalEnergyParser::parseEigenvalueLine("-").empty(),
        "parseEigenvalueLine without --");
}

/// A file that holds the current input, for the loaders that take a path.
class InputFile {
 public:
  InputFile() {
    char name[] = "/tmp/nodara-fuzz-log-XXXXXX";
    const int fd = mkstemp(name);
    check(fd >= 0, "temporary file");
    close(fd);
    path_ = name;
  }
  ~InputFile() { std::remove(path_.c_str()); }

  const std::string& write(const std::string& content) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << content;
    check(static_cast<bool>(out.flush()), "temporary file written");
    return path_;
  }

 private:
  std::string path_;
};

std::string fixed(double value, int decimals) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out.setf(std::ios::fixed, std::ios::floatfield);
  out.precision(decimals);
  out << value;
  return out.str();
}

std::string transitionsText(const ExcitedState& state, double threshold) {
  std::string text;
  for (const TransitionContribution& c : state.transitions) {
    if (!(std::fabs(c.coefficient) > threshold)) continue;
    if (!text.empty()) text += '\n';
    text += std::to_string(c.fromOrbital) + (c.deexcitation ? "<-" : "->") +
            std::to_string(c.toOrbital) + "=" + fixed(c.coefficient, 5);
  }
  return text;
}

/// The texts the excited-state import stores: states up to S10 of the last
/// section.
std::map<std::string, ExcitedStateText> expectedStateTexts(
    const ReferenceTd& td, double threshold) {
  std::map<std::string, ExcitedStateText> texts;
  if (td.blocks.empty()) return texts;
  for (const ExcitedState& state : td.blocks.back().states) {
    if (state.index > 10) break;
    texts["S" + std::to_string(state.index)] = {
        fixed(state.wavelengthNm, 2), fixed(state.oscillatorStrength, 4),
        transitionsText(state, threshold)};
  }
  return texts;
}

bool sameTexts(const std::map<std::string, ExcitedStateText>& a,
               const std::map<std::string, ExcitedStateText>& b) {
  if (a.size() != b.size()) return false;
  for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
    if (i->first != j->first ||
        i->second.wavelengthText != j->second.wavelengthText ||
        i->second.oscillatorText != j->second.oscillatorText ||
        i->second.transitionsText != j->second.transitionsText) {
      return false;
    }
  }
  return true;
}

/// The generator's two imports on the input saved as a file.
void checkImports(const std::string& path, const std::string& input,
                  const ReferenceTd& td, const ReferenceOrbitals& orbitals) {
  std::ostringstream out;
  std::ostringstream err;
  ConfigGenerator generator{Console(out, err)};
  generator.logFile = path;
  const bool valid = input.find("Gaussian") != std::string::npos;
  const bool hasTd =
      input.find("Excitation energies and oscillator strengths:") !=
      std::string::npos;
  const bool stored = generator.extractExcitedStates();
  check(stored == (valid && hasTd && !td.error), "excited-state import result");
  if (td.error && valid && hasTd) {
    check(err.str() == "提取激发态数据失败: " + *td.error + "\n",
          "excited-state import reports the conversion error");
  }
  check(!stored || sameTexts(generator.excitedStates,
                             expectedStateTexts(td, generator.threshold)),
        "excited-state texts");
  generator.extractOrbitalEnergies();
  for (const char* spec : {"h-1", "h", "l", "l+1"}) {
    const auto selected = referenceSelect(orbitals, spec);
    const auto found = generator.orbitalEnergies.find(spec);
    const bool expectStored = valid && !selected.empty();
    check((found != generator.orbitalEnergies.end()) == expectStored &&
              (!expectStored ||
               (found->second.index == selected[0].index &&
                sameBits(found->second.energy, selected[0].energy))),
          "orbital-energy import");
  }
}

/// The same content loaded from a file gives the same lines.
void checkFileLoad(const std::string& path, const GaussianLogFile& fromString) {
  const GaussianLogFile fromFile(path);
  check(fromFile.filePath() == path, "filePath");
  check(fromFile.text() == fromString.text(), "file and string load agree");
  check(fromFile.lineCount() == fromString.lineCount() &&
            fromFile.isValid() == fromString.isValid(),
        "file and string load agree on lines and validity");
}

void runLogText(const std::string& input) {
  GaussianLogFile log;
  log.loadFromString(input);
  const std::vector<std::string_view> lines = splitLines(input);
  checkLines(log, lines, input);
  for (const std::string& pattern : searchPatterns(input, lines)) {
    checkFindLines(log, lines, pattern);
  }
  checkMatchers(lines);
  const ReferenceTd td = readReferenceTd(lines);
  exerciseExcitedStates(log, td);
  const ReferenceOrbitals orbitals = referenceOrbitals(lines);
  exerciseOrbitals(log, lines, orbitals);
  static InputFile file;
  const std::string& path = file.write(input);
  checkFileLoad(path, log);
  checkImports(path, input, td, orbitals);
}

}  // namespace
}  // namespace nodara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  nodara::fuzz::runLogText(
      std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
