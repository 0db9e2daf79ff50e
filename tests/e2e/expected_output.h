/// The tool's console texts and documents as the end-to-end tests expect
/// them.
#pragma once

#include <string>
#include <vector>

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

/// The banner and settings echo, then the line that starts the scan.
std::string scanStart(const EchoedSettings& settings);

/// Standard output of a successful run from the banner up to the line that
/// starts the generation: banner, scan start, the count of `found` cube
/// files, `pairLines` (each ending in a newline) and the generation line.
std::string generationStart(const EchoedSettings& settings, int found,
                            const std::string& pairLines = "");

/// The lines after a successful write of `outputFile` with `entries`.
std::string generationEnd(const std::string& outputFile, int entries);

/// The line that reports the pair of `holeFile` and `electronFile`.
std::string pairLine(const std::string& stateLabel, const std::string& holeFile,
                     const std::string& electronFile);

/// The line that starts the excited-state import of `logFile`.
std::string excitedStateImportStart(const std::string& logFile);

/// The lines of both imports of `logFile` when they succeed with `states`
/// excited states and `orbitals` frontier-orbital energies.
std::string logImportLines(const std::string& logFile, int states,
                           int orbitals);

/// An error line of the log-reading library as it reaches standard error.
std::string libraryError(const std::string& message);

/// The notes of a hole/electron pair: wavelength and oscillator strength as
/// imported, and the listed contributions, such as "21->22=0.67012".
std::string stateNotes(const std::string& wavelength,
                       const std::string& oscillatorStrength,
                       const std::vector<std::string>& transitions);

/// One viewer entry as the document shows it (before escaping).
struct DocumentEntry {
  std::string title;
  std::string isoValue;
  std::string fileName1;
  std::string fileName2;
  std::string notes;
};

/// The document of `entries` with the default colours, its timestamp
/// masked as `timestampMask`.
std::string expectedDocument(const std::vector<DocumentEntry>& entries,
                             const std::string& timestampMask);

}  // namespace nodara
