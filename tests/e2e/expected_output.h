/// The tool's console texts as the end-to-end tests expect them.
#pragma once

#include <string>

namespace nodara {

/// The settings as the banner echoes them (the threshold as printed).
struct EchoedSettings {
  std::string scanDirectory = ".";
  std::string outputFile = "nodara-config.json";
  std::string logFile;
  std::string threshold = "0.1";
  std::string color1 = "#0000FF";
  std::string color2 = "#FF0000";
};

/// The usage text for the program name `program`.
std::string usageText(const std::string& program);

/// The banner and settings echo, then the line that starts the scan.
std::string scanStart(const EchoedSettings& settings);

/// Standard output of a successful run from the banner up to the line that
/// starts the generation: banner, scan start, the count of `found` cube
/// files, `pairLines` (each ending in a newline) and the generation line.
std::string generationStart(const EchoedSettings& settings, int found,
                            const std::string& pairLines = "");

/// The lines after a successful write of `outputFile` with `entries`.
std::string generationEnd(const std::string& outputFile, int entries);

}  // namespace nodara
