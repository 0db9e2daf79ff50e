/// Reads the TD sections of a log's text into blocks of excited states.
#pragma once

#include <string_view>
#include <vector>

#include "gaussian/excited_state.h"
#include "gaussian/substring_finder.h"

namespace nodara {

/// One pass over a log's text. A section runs from its marker line to the
/// next marker or the end; inside it, "Excited State" lines (with the
/// contribution lines right after them) and "Total Energy,
/// E(TD-HF/TD-DFT)" lines are read. Only lines holding one of the three
/// texts are looked at, found by substring search. Throws
/// std::out_of_range ("stoi", "stod") for numbers out of range.
class TdSectionReader {
 public:
  explicit TdSectionReader(std::string_view text);

  std::vector<ExcitationBlock> readBlocks();

 private:
  /// Handles the line [start, end); returns where the walk goes on.
  std::size_t handleLine(std::size_t start, std::size_t end);
  /// Reads the contribution lines from `start`; returns the first offset
  /// that is not one.
  std::size_t readContributions(std::size_t start, ExcitedState& state) const;
  std::size_t lineStartOf(std::size_t hit, std::size_t walkPos) const;
  std::size_t lineEndOf(std::size_t pos) const;
  std::size_t nextLine(std::size_t end) const;

  std::string_view text_;
  SubstringFinder markers_;
  SubstringFinder states_;
  SubstringFinder totalEnergies_;
  std::vector<ExcitationBlock> blocks_;
};

}  // namespace nodara
