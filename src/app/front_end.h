/// The tool's front end: usage, banner and the run from scan to file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "log/console.h"

namespace nodara {

/// Writes the usage text for `programName`; does not flush.
void printUsage(std::ostream& out, const std::string& programName);

/// Writes the banner and the settings in force, then flushes.
void printBanner(std::ostream& out, const RunSettings& settings);

/// Runs the tool for the command-line words `argv` (word 0 is the program
/// name). Returns true for exit status 0, false for status 1.
bool runFrontEnd(const std::vector<std::string>& argv, Console& console);

}  // namespace nodara
