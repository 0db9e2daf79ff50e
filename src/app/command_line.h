/// The tool's command line: options, defaults and their parsing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nodara {

/// The settings of one run, with the defaults that stand without options.
struct RunSettings {
  std::string scanDirectory = ".";
  std::string outputFile = "nodara-config.json";
  std::string logFile;
  double threshold = 0.1;
  std::string color1 = "#0000FF";
  std::string color2 = "#FF0000";
};

/// What the command line asks for.
struct CommandLine {
  enum class Action { Run, ShowHelp, UnknownOption, InvalidThreshold };

  Action action = Action::Run;
  RunSettings settings;
  std::string offendingWord;  ///< the unknown option or the bad "-t" value
};

/// Reads the words after the program name in option/value pairs; stops at
/// the first help option, unknown option or invalid threshold.
CommandLine parseCommandLine(const std::vector<std::string>& words);

/// The leading decimal number of `word` (white space, sign, digits with an
/// optional point, optional exponent; the rest is ignored). Nothing when
/// there is none or the value is out of a double's range.
std::optional<double> parseThreshold(const std::string& word);

}  // namespace nodara
