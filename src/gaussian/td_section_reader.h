/// Finds the TD sections of a log's text and reads their states.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "gaussian/excited_state.h"
#include "gaussian/substring_finder.h"

namespace nodara {

/// Where the TD sections and their state lines are in a log's text.
struct TdSectionIndex {
  struct Section {
    std::int32_t index = 0;
    double totalEnergy = 0.0;
    std::size_t firstState = 0;  ///< position in stateLines
    std::size_t stateCount = 0;
  };

  std::vector<Section> sections;
  std::vector<std::size_t> stateLines;  ///< offsets of the state lines
};

/// One pass over a log's text. A section runs from its marker line to the
/// next marker or the end; inside it, "Excited State" lines (with the
/// contribution lines right after them) and "Total Energy,
/// E(TD-HF/TD-DFT)" lines count. Only lines holding one of the three texts
/// are looked at, found by substring search. The pass records where the
/// states are; readState turns one into a record later.
class TdSectionReader {
 public:
  explicit TdSectionReader(std::string_view text);

  /// Throws std::out_of_range ("stoi", "stod") at the first number of a
  /// state or contribution line that its conversion could not hold.
  TdSectionIndex indexSections();

  /// The state whose line starts at `offset`, with its contributions.
  static ExcitedState readState(std::string_view text, std::size_t offset);

 private:
  /// Handles the line [start, end); returns where the walk goes on.
  std::size_t handleLine(std::size_t start, std::size_t end);
  /// Checks the contribution lines from `start`; returns the first offset
  /// that is not one.
  std::size_t checkContributions(std::size_t start) const;
  std::size_t lineStartOf(std::size_t hit, std::size_t walkPos) const;

  std::string_view text_;
  SubstringFinder markers_;
  SubstringFinder states_;
  SubstringFinder totalEnergies_;
  TdSectionIndex index_;
};

}  // namespace nodara
