// Hostile inputs end to end: logs of binary garbage, with NUL bytes, with
// huge lines or sections, with numbers beyond their range, or that cannot
// be read; crowded directories, names of every byte and entries that are
// no regular files; a write that fails behind a link. Every run ends with a
// clear message or a correct document, never with a signal or a hang.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "e2e/byte_json_reader.h"
#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"

namespace nodara {
namespace {

/// Far above what any run here takes, also under the sanitizers; a run
/// that hangs ends with SIGALRM instead.
constexpr unsigned kTimeLimitSeconds = 120;

const std::string kGenerationFailed = "Failed to generate config file!\n";
const std::string kLogHead =
    " Entering Gaussian System, Link 0=g16\n"
    " #p td=(nstates=2) b3lyp/6-31g(d)\n";
const std::string kSectionMarker =
    " Excitation energies and oscillator strengths:\n";
const std::string kFirstState =
    " Excited State   1:      Singlet-A      4.0000 eV  309.96 nm  f=0.1000  "
    "<S**2>=0.000\n";
const std::string kSecondState =
    " Excited State   2:      Singlet-B      5.0000 eV  247.97 nm  f=0.0200  "
    "<S**2>=0.000\n";
const std::string kOccupied = "-0.60000  -0.50000  -0.40000  -0.30000";
const std::string kVirtuals = "0.10000   0.20000   0.40000";
/// 400 digits before the point: beyond the range of a double.
const std::string kHugeDecimal = "1" + std::string(399, '0') + ".0";

std::string contributionLine(const std::string& from, const std::string& to,
                             const std::string& coefficient) {
  return "      " + from + " -> " + to + "        " + coefficient + "\n";
}

std::string eigenvalueBlock(const std::string& occupied,
                            const std::string& virtuals) {
  return " Alpha  occ. eigenvalues --  " + occupied +
         "\n Alpha virt. eigenvalues --  " + virtuals +
         "\n          Condensed to atoms (all electrons):\n";
}

/// The numbers of a small TD-DFT log of two states, as printed.
struct TdLogFields {
  std::string energy = "4.0000";
  std::string wavelength = "309.96";
  std::string strength = "0.1000";
  std::string spinSquared = "0.000";
  std::string fromLabel = "5";
  std::string toLabel = "6";
  std::string coefficient = "0.70000";
  std::string secondState = "2";
  std::string totalEnergy = "-76.4012";
  std::string occupied = kOccupied;
  std::string virtuals = kVirtuals;
};

TdLogFields withField(std::string TdLogFields::*field, std::string value) {
  TdLogFields fields;
  fields.*field = std::move(value);
  return fields;
}

std::string tdLog(const TdLogFields& f) {
  return kLogHead + eigenvalueBlock(f.occupied, f.virtuals) + kSectionMarker +
         "\n Excited State   1:      Singlet-A      " + f.energy + " eV  " +
         f.wavelength + " nm  f=" + f.strength + "  <S**2>=" + f.spinSquared +
         "\n" + contributionLine(f.fromLabel, f.toLabel, f.coefficient) +
         contributionLine("4", "7", "-0.20000") + "\n Excited State   " +
         f.secondState +
         ":      Singlet-B      5.0000 eV  247.97 nm  f=0.0200  "
         "<S**2>=0.000\n" +
         contributionLine("5", "7", "0.69000") +
         "\n Total Energy, E(TD-HF/TD-DFT) =  " + f.totalEnergy +
         "\n Normal termination of Gaussian 16\n";
}

/// What the two imports report and the notes they lead to in the run on
/// the directory "cubes" (see makeLogCubes).
struct ImportedNotes {
  int stateCount;
  int orbitalCount;
  std::string firstPair;
  std::string secondPair;
  /// Notes of mol_oH1, mol_oH, mol_oL and mol_oL1.
  std::array<std::string, 4> orbitals;
};

const std::array<std::string, 4> kOrbitalParts = {"oH1", "oH", "oL", "oL1"};
const std::array<std::string, 4> kOrbitalTitles = {"HOMO-1", "HOMO", "LUMO",
                                                   "LUMO+1"};
const std::string kFirstNotes =
    stateNotes("309.96", "0.1000", {"5->6=0.70000", "4->7=-0.20000"});
const std::string kSecondNotes =
    stateNotes("247.97", "0.0200", {"5->7=0.69000"});
/// Orbitals 3 to 6 of kOccupied and kVirtuals.
const std::array<std::string, 4> kOrbitalNotes = {
    "3 = -10.8846 eV", "4 = -8.1634 eV", "5 = 2.7211 eV", "6 = 5.4423 eV"};
const ImportedNotes kTdLogNotes = {2, 4, kFirstNotes, kSecondNotes,
                                   kOrbitalNotes};

/// `size` bytes drawn from a fixed seed: the same on every run.
std::string randomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 engine(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(engine() >> 24);
  return bytes;
}

/// `text` with every '@' turned into a NUL byte.
std::string withNuls(std::string text) {
  std::replace(text.begin(), text.end(), '@', '\0');
  return text;
}

class HostileInputE2eTest : public E2eFixture {
 protected:
  ToolResult runTool(const std::vector<std::string>& arguments) const {
    return tool(arguments).withTimeLimit(kTimeLimitSeconds).run();
  }

  /// The directory "cubes": the pairs of S1 and S2 and the four frontier
  /// orbitals.
  void makeLogCubes() const {
    std::vector<std::string> names = {"mol_S1_hole.cub", "mol_S1_ele.cub",
                                      "mol_S2_hole.cub", "mol_S2_ele.cub"};
    for (const std::string& part : kOrbitalParts) {
      names.push_back("mol_" + part + ".cub");
    }
    makeFiles("cubes", names);
  }

  static std::vector<std::string> logArguments(const std::string& log,
                                               const std::string& threshold) {
    std::vector<std::string> arguments = {"-d",       "cubes", "-o",
                                          "out.json", "-l",    log};
    if (!threshold.empty()) {
      arguments.insert(arguments.end(), {"-t", threshold});
    }
    return arguments;
  }

  /// Runs the tool on "cubes" with `log`, writing out.json.
  ToolResult runWithLog(const std::string& log,
                        const std::string& threshold = "") const {
    return runTool(logArguments(log, threshold));
  }

  /// Standard output of a run with `log` up to the generation line.
  static std::string logRunStart(const std::string& log,
                                 const std::string& threshold = "") {
    EchoedSettings echoed;
    echoed.scanDirectory = "cubes";
    echoed.outputFile = "out.json";
    echoed.logFile = log;
    if (!threshold.empty()) echoed.threshold = threshold;
    return generationStart(
        echoed, 8,
        pairLine("S1", "mol_S1_hole.cub", "mol_S1_ele.cub") +
            pairLine("S2", "mol_S2_hole.cub", "mol_S2_ele.cub"));
  }

  /// Standard output of a run with `log` whose imports succeed.
  static std::string importedOutput(const std::string& log,
                                    const ImportedNotes& notes,
                                    const std::string& threshold = "") {
    return logRunStart(log, threshold) +
           logImportLines(log, notes.stateCount, notes.orbitalCount) +
           generationEnd("out.json", 6);
  }

  static std::string expectedLogDocument(const ImportedNotes& notes) {
    std::vector<DocumentEntry> entries = {
        {"S1_空穴电子分析", "0.001", "mol_S1_hole.cub", "mol_S1_ele.cub",
         notes.firstPair},
        {"S2_空穴电子分析", "0.001", "mol_S2_hole.cub", "mol_S2_ele.cub",
         notes.secondPair},
    };
    for (std::size_t i = 0; i < kOrbitalParts.size(); ++i) {
      entries.push_back({"mol_" + kOrbitalTitles[i], "0.025",
                         "mol_" + kOrbitalParts[i] + ".cub", "",
                         notes.orbitals[i]});
    }
    return expectedDocument(entries, kTimestampMask);
  }

  /// Checks a run with `log` whose imports succeeded, and its document.
  void expectImported(const ToolResult& result, const std::string& log,
                      const ImportedNotes& notes) const {
    EXPECT_EQ(result.out, importedOutput(log, notes));
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(exitedWith(result, 0));
    EXPECT_EQ(maskTimestamp(readFile("out.json"), result),
              expectedLogDocument(notes));
  }

  /// Checks a run with `log` whose excited-state import failed with
  /// `reason` (whole lines) on standard error, and that nothing was written.
  void expectRejected(const ToolResult& result, const std::string& log,
                      const std::string& reason) const {
    EXPECT_EQ(result.out, logRunStart(log) + excitedStateImportStart(log));
    EXPECT_EQ(result.err, reason + kGenerationFailed);
    EXPECT_TRUE(exitedWith(result, 1));
    const std::vector<std::string> names = entryNames("");
    EXPECT_EQ(std::count(names.begin(), names.end(), "out.json"), 0);
  }
};

TEST_F(HostileInputE2eTest, BinaryGarbageLogIsRejectedOrReadAsFarAsItMatches) {
  const std::string garbage = randomBytes(std::size_t{1} << 20, 20240229);
  ASSERT_EQ(garbage.find("Gaussian"), std::string::npos);
  const std::string front = garbage.substr(0, garbage.size() / 2);
  const std::string back = garbage.substr(garbage.size() / 2);
  const std::string named = front + "Gaussian";
  writeFile("garbage.log", garbage);
  writeFile("named.log", named + back);
  writeFile("marked.log", named + "\n" + kSectionMarker + back);
  writeFile("state.log", named + "\n" + kSectionMarker + kFirstState + back);
  makeLogCubes();

  struct Rejected {
    std::string log;
    std::string reason;
  };
  const Rejected rejected[] = {
      {"garbage.log", "无效的Gaussian文件\n"},
      {"named.log",
       "未在log中找到TDDFT段落（Excitation energies and oscillator "
       "strengths:），退出。\n"},
  };
  for (const Rejected& c : rejected) {
    SCOPED_TRACE(c.log);
    expectRejected(runWithLog(c.log), c.log, c.reason);
  }

  struct Imported {
    std::string log;
    ImportedNotes notes;
  };
  const Imported imported[] = {
      {"marked.log", {0, 0, "", "", {"", "", "", ""}}},
      // The garbage after the state line is no contribution line.
      {"state.log",
       {1, 0, stateNotes("309.96", "0.1000", {}), "", {"", "", "", ""}}},
  };
  for (const Imported& c : imported) {
    SCOPED_TRACE(c.log);
    expectImported(runWithLog(c.log), c.log, c.notes);
  }
}

// A NUL byte is neither white space nor a digit: a line matches up to it,
// and a NUL where the pattern needs a blank or a colon ends the match. So
// state 1 keeps 5->6 and 4->7 (its coefficient read up to the NUL), the
// NUL after 8 ends its contributions, state 3 is no state line, and each
// eigenvalue line ends at its NUL.
TEST_F(HostileInputE2eTest, NulBytesEndTheLinesWhereTheyStand) {
  const std::string log = withNuls(
      kLogHead +
      eigenvalueBlock("-0.50000  -0.40000@ -0.30000", "0.10000@  0.20000") +
      kSectionMarker +
      "@ Excited State   1:      Singlet-A@@    4.0000 eV  309.96 nm  "
      "f=0.1000  <S**2>=0.000@\n"
      "@      5 -> 6         0.70000\n"
      "       4 -> 7         0.3@5000\n"
      "       3 -> 8@        0.40000\n"
      "       2 -> 9         0.50000\n"
      "@ Excited State   2:      Singlet-B      5.0000 eV  247.97 nm  "
      "f=0.0200  <S**2>=0.000\n"
      "       5 -> 7         0.69000@@@\n"
      " Excited State   3@:      Singlet-A      6.0000 eV  206.64 nm  "
      "f=0.3000  <S**2>=0.000\n"
      "       5 -> 8         0.68000\n");
  writeFile("nul.log", log);
  makeLogCubes();
  const ImportedNotes expected = {
      2,
      3,
      stateNotes("309.96", "0.1000", {"5->6=0.70000", "4->7=0.30000"}),
      kSecondNotes,
      {"1 = -13.6057 eV", "2 = -10.8846 eV", "3 = 2.7211 eV", ""}};
  expectImported(runWithLog("nul.log"), "nul.log", expected);
}

/// One line of `size` bytes or a little more that looks like contribution
/// and state lines at every turn but matches neither.
std::string longLine(std::size_t size) {
  const std::string piece =
      "  12 -> 34 x Excited State   7: Singlet-A   1.0000 eV";
  std::string line;
  line.reserve(size + piece.size() + 1);
  while (line.size() < size) line += piece;
  return line + "\n";
}

TEST_F(HostileInputE2eTest, LinesOfSixtyFourMebibytesEndTheContributions) {
  const std::string line = longLine(std::size_t{64} << 20);
  writeFile("long.log",
            kLogHead + eigenvalueBlock(kOccupied, kVirtuals) + kSectionMarker +
                kFirstState + contributionLine("5", "6", "0.70000") +
                contributionLine("4", "7", "-0.20000") + line +
                contributionLine("3", "8", "0.30000") + kSecondState + line +
                contributionLine("5", "7", "0.69000"));
  makeLogCubes();
  ImportedNotes expected = kTdLogNotes;
  expected.secondPair = stateNotes("247.97", "0.0200", {});
  expectImported(runWithLog("long.log"), "long.log", expected);
}

// A million contribution lines under one state: with -t 0.5 every
// thousandth passes, the last line of the million among them.
TEST_F(HostileInputE2eTest, MillionContributionLinesAreAllRead) {
  constexpr int kLines = 1000000;
  constexpr int kPassEvery = 1000;
  std::string log = kLogHead + eigenvalueBlock(kOccupied, kVirtuals) +
                    kSectionMarker + kFirstState;
  log.reserve(log.size() + std::size_t{kLines} * 32);
  for (int from = 1; from <= kLines; ++from) {
    log += contributionLine(std::to_string(from), std::to_string(from + 1),
                            from % kPassEvery == 0 ? "0.60000" : "0.10000");
  }
  log += kSecondState + contributionLine("5", "7", "0.69000");
  writeFile("many.log", log);
  makeLogCubes();

  const ToolResult result = runWithLog("many.log", "0.5");
  EXPECT_EQ(result.out, importedOutput("many.log", kTdLogNotes, "0.5"));
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(exitedWith(result, 0));
  const nlohmann::json viewers =
      nlohmann::json::parse(readDocument("out.json")).at("viewers");
  ASSERT_EQ(viewers.size(), 6u);
  const std::string notes =
      viewers[0].at("notes").at("notes").get<std::string>();
  const std::string head = stateNotes("309.96", "0.1000", {});
  ASSERT_EQ(notes.compare(0, head.size(), head), 0) << notes.substr(0, 100);
  const std::string items = notes.substr(head.size());
  EXPECT_EQ(std::count(items.begin(), items.end(), '\n'),
            kLines / kPassEvery - 1);
  EXPECT_EQ(items.substr(0, items.find('\n')), "1000->1001=0.60000");
  EXPECT_EQ(items.substr(items.rfind('\n') + 1), "1000000->1000001=0.60000");
  EXPECT_EQ(viewers[1].at("notes").at("notes").get<std::string>(),
            stateNotes("247.97", "0.0200", {"5->7=0.69000"}));
  for (std::size_t i = 0; i < kOrbitalNotes.size(); ++i) {
    EXPECT_EQ(viewers[2 + i].at("notes").at("notes").get<std::string>(),
              kOrbitalNotes[i]);
  }
}

TEST_F(HostileInputE2eTest, NumberBeyondItsRangeFailsTheImport) {
  struct Case {
    std::string field;
    TdLogFields fields;
    std::string error;
  };
  const Case cases[] = {
      {"state number", withField(&TdLogFields::secondState, "2147483648"),
       "stoi"},
      {"left orbital label", withField(&TdLogFields::fromLabel, "2147483648"),
       "stoi"},
      {"right orbital label with a spin letter",
       withField(&TdLogFields::toLabel, "2147483648B"), "stoi"},
      {"energy", withField(&TdLogFields::energy, kHugeDecimal), "stod"},
      {"wavelength", withField(&TdLogFields::wavelength, kHugeDecimal), "stod"},
      {"oscillator strength", withField(&TdLogFields::strength, kHugeDecimal),
       "stod"},
      {"<S**2>", withField(&TdLogFields::spinSquared, kHugeDecimal), "stod"},
      {"coefficient", withField(&TdLogFields::coefficient, "-" + kHugeDecimal),
       "stod"},
  };
  makeLogCubes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    writeFile("td.log", tdLog(c.fields));
    expectRejected(runWithLog("td.log"), "td.log",
                   "提取激发态数据失败: " + c.error + "\n");
  }
}

// Numbers at the end of their range, a total energy that no note uses, and
// eigenvalues that stream extraction cannot read, which end their line.
TEST_F(HostileInputE2eTest, NumbersWithinRangeOrUnusedAreRead) {
  struct Case {
    std::string field;
    TdLogFields fields;
    ImportedNotes notes;
  };
  TdLogFields largestLabels = withField(&TdLogFields::fromLabel, "2147483647");
  largestLabels.toLabel = "2147483647A";
  TdLogFields hugeEigenvalues = withField(
      &TdLogFields::occupied, "-0.60000  -0.50000  1e999  -0.40000  -0.30000");
  hugeEigenvalues.virtuals = "0.10000  " + std::string(400, '9') + "  0.20000";
  const Case cases[] = {
      {"largest state number, above 10",
       withField(&TdLogFields::secondState, "2147483647"),
       {1, 4, kFirstNotes, "", kOrbitalNotes}},
      {"largest orbital labels",
       largestLabels,
       {2, 4,
        stateNotes("309.96", "0.1000",
                   {"2147483647->2147483647=0.70000", "4->7=-0.20000"}),
        kSecondNotes, kOrbitalNotes}},
      {"total energy", withField(&TdLogFields::totalEnergy, kHugeDecimal),
       kTdLogNotes},
      {"total energy with a Fortran exponent",
       withField(&TdLogFields::totalEnergy, "-0.1D+99999"), kTdLogNotes},
      {"eigenvalues",
       hugeEigenvalues,
       {2,
        3,
        kFirstNotes,
        kSecondNotes,
        {"1 = -16.3268 eV", "2 = -13.6057 eV", "3 = 2.7211 eV", ""}}},
  };
  makeLogCubes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    writeFile("td.log", tdLog(c.fields));
    expectImported(runWithLog("td.log"), "td.log", c.notes);
  }
}

// As root every file can be read, so the tool runs as the user nobody.
TEST_F(HostileInputE2eTest, LogThatCannotBeOpenedIsReported) {
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  const uid_t user = nobody->pw_uid;
  const gid_t group = nobody->pw_gid;
  ASSERT_EQ(chmod(path().c_str(), 0755), 0);
  makeLogCubes();
  writeFile("locked.log", tdLog(TdLogFields()));
  ASSERT_EQ(chmod(path("locked.log").c_str(), 0), 0);
  makeDirectory("private");
  writeFile("private/td.log", tdLog(TdLogFields()));
  ASSERT_EQ(chmod(path("private").c_str(), 0700), 0);
  for (const std::string log : {"locked.log", "private/td.log"}) {
    SCOPED_TRACE(log);
    const ToolResult result = tool(logArguments(log, ""))
                                  .asUser(user, group)
                                  .withTimeLimit(kTimeLimitSeconds)
                                  .run();
    expectRejected(
        result, log,
        libraryError("无法打开文件: " + log) + "无效的Gaussian文件\n");
  }
}

/// Creates the empty files `names` in the existing directory `directory`;
/// false when one cannot be made.
bool createFiles(const std::string& directory,
                 const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string file = directory + "/" + name;
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || close(fd) != 0) return false;
  }
  return true;
}

TEST_F(HostileInputE2eTest, CrowdedDirectoryIsCataloguedWhole) {
  constexpr std::size_t kEntries = 100000;
  constexpr int kStates = 1000;
  constexpr int kOrbitalsPerSide = 24500;
  std::vector<std::string> labels;
  std::vector<std::string> names;
  for (int state = 1; state <= kStates; ++state) {
    labels.push_back("S" + std::to_string(state));
    names.push_back("p_" + labels.back() + "_hole.cub");
    names.push_back("p_" + labels.back() + "_ele.cub");
  }
  // Single files in catalogue order: orbitals from the lowest, then by name.
  std::vector<std::string> singles;
  for (int n = kOrbitalsPerSide; n >= 1; --n) {
    singles.push_back("o_oH" + std::to_string(n) + ".cub");
  }
  for (int n = 1; n <= kOrbitalsPerSide; ++n) {
    singles.push_back("o_oL" + std::to_string(n) + ".cub");
  }
  std::vector<std::string> densities;
  for (int n = 0; names.size() + singles.size() + densities.size() < kEntries;
       ++n) {
    densities.push_back("d" + std::to_string(n) + "_den.cub");
  }
  std::sort(densities.begin(), densities.end());
  singles.insert(singles.end(), densities.begin(), densities.end());
  names.insert(names.end(), singles.begin(), singles.end());
  makeDirectory("cubes");
  ASSERT_TRUE(createFiles(path("cubes"), names));

  const ToolResult result = runTool({"-d", "cubes"});
  std::sort(labels.begin(), labels.end());
  std::string pairLines;
  for (const std::string& label : labels) {
    pairLines +=
        pairLine(label, "p_" + label + "_hole.cub", "p_" + label + "_ele.cub");
  }
  EchoedSettings echoed;
  echoed.scanDirectory = "cubes";
  EXPECT_EQ(result.out, generationStart(echoed, 100000, pairLines) +
                            generationEnd("nodara-config.json", 99000));
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(exitedWith(result, 0));

  const nlohmann::json viewers =
      nlohmann::json::parse(readFile("nodara-config.json")).at("viewers");
  ASSERT_EQ(viewers.size(), kEntries - labels.size());
  std::vector<std::string> singlesWritten;
  for (std::size_t id = 0; id < viewers.size(); ++id) {
    const nlohmann::json& entry = viewers[id];
    ASSERT_EQ(entry.at("id").get<std::size_t>(), id);
    const std::string file1 = entry.at("fileName1").get<std::string>();
    const std::string file2 = entry.at("fileName2").get<std::string>();
    if (id < labels.size()) {
      EXPECT_EQ(file1, "p_" + labels[id] + "_hole.cub");
      EXPECT_EQ(file2, "p_" + labels[id] + "_ele.cub");
    } else {
      singlesWritten.push_back(file1);
      EXPECT_EQ(file2, "");
    }
  }
  EXPECT_TRUE(singlesWritten == singles) << "single files out of order";
}

/// Names of cube files holding every byte that a name can hold, one byte
/// per name, then mixes of valid and broken UTF-8, a hole/electron pair and
/// a name of the longest length.
std::vector<std::string> everyByteNames() {
  std::vector<std::string> names;
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    if (byte == '/') continue;
    names.push_back("a" + std::string(1, static_cast<char>(byte)) + "b_oH.cub");
  }
  names.insert(names.end(), {
                                "苯\xff\xfe_oL.cub",
                                "\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80_den.cub",
                                "\xe4\xbd_elf.cub",
                                "\xf0\x9f\x98\x80\x80_rdg.cub",
                                "\x01\xfe\"\\_S1_hole.cub",
                                "\x01\xfe\"\\_S1_ele.cub",
                            });
  std::string longest;
  for (int byte = 0x01; longest.size() < 248; ++byte) {
    if (byte != '/') longest += static_cast<char>(byte);
  }
  names.push_back(longest + "_oH.cub");  // 255 bytes
  return names;
}

const std::vector<std::string> kViewerKeys = {
    "id",           "title",     "color1",    "color2", "isoValue",
    "showPositive", "fileName1", "fileName2", "notes",
};

/// The title of "a<byte>b_oH.cub".
std::string singleByteTitle(const std::string& name) {
  return name[1] == '_' ? "b_HOMO" : name.substr(0, 3) + "_HOMO";
}

TEST_F(HostileInputE2eTest, NamesOfEveryByteRoundTripByteForByte) {
  const std::vector<std::string> names = everyByteNames();
  makeFiles("names", names);
  const ToolResult result = runTool({"-d", "names"});
  EchoedSettings echoed;
  echoed.scanDirectory = "names";
  const std::string hole = "\x01\xfe\"\\_S1_hole.cub";
  const std::string electron = "\x01\xfe\"\\_S1_ele.cub";
  const int found = static_cast<int>(names.size());
  EXPECT_EQ(result.out,
            generationStart(echoed, found, pairLine("S1", hole, electron)) +
                generationEnd("nodara-config.json", found - 1));
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(exitedWith(result, 0));

  std::string error;
  const std::optional<ByteJsonValue> document =
      readByteJson(readFile("nodara-config.json"), error);
  ASSERT_TRUE(document) << error;
  EXPECT_EQ(document->keys,
            (std::vector<std::string>{"version", "timestamp", "viewers"}));
  const ByteJsonValue* viewers = document->member("viewers");
  ASSERT_NE(viewers, nullptr);
  ASSERT_EQ(viewers->items.size(), names.size() - 1);
  std::vector<std::string> namesWritten;
  for (std::size_t id = 0; id < viewers->items.size(); ++id) {
    const ByteJsonValue& entry = viewers->items[id];
    ASSERT_EQ(entry.keys, kViewerKeys) << "entry " << id;
    EXPECT_EQ(entry.member("id")->text, std::to_string(id));
    const std::string& file1 = entry.member("fileName1")->text;
    const std::string& file2 = entry.member("fileName2")->text;
    namesWritten.push_back(file1);
    if (!file2.empty()) namesWritten.push_back(file2);
    const std::string& title = entry.member("title")->text;
    if (file1 == hole) {
      EXPECT_EQ(file2, electron);
      EXPECT_EQ(title, "S1_空穴电子分析");
    } else if (file1.size() == 8 && file1[0] == 'a') {
      EXPECT_EQ(title, singleByteTitle(file1)) << "entry " << id;
    }
  }
  std::vector<std::string> expectedNames = names;
  std::sort(expectedNames.begin(), expectedNames.end());
  std::sort(namesWritten.begin(), namesWritten.end());
  EXPECT_TRUE(namesWritten == expectedNames) << "names changed on the way";
}

TEST_F(HostileInputE2eTest, EntriesThatAreNoRegularFilesArePassedOver) {
  makeFiles("cubes", {"mol_oL.cub"});
  const auto link = [this](const std::string& target, const std::string& name) {
    return symlink(target.c_str(), path("cubes/" + name).c_str()) == 0;
  };
  ASSERT_TRUE(link("x.cub", "x.cub"));
  ASSERT_TRUE(link("q.cub", "p.cub"));
  ASSERT_TRUE(link("p.cub", "q.cub"));
  // Nobody writes to the pipe: opening it to read would block.
  ASSERT_EQ(mkfifo(path("cubes/y.cub").c_str(), 0644), 0);
  ASSERT_TRUE(link("y.cub", "pipe_oH.cub"));
  ASSERT_TRUE(link("/dev/null", "null_oH.cub"));
  const int server = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(server, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = path("cubes/s.cub");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ASSERT_EQ(
      bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address),
      0);
  close(server);
  const std::vector<std::string> entries = entryNames("cubes");

  const ToolResult result = runTool({"-d", "cubes"});
  EchoedSettings echoed;
  echoed.scanDirectory = "cubes";
  EXPECT_EQ(result.out, generationStart(echoed, 1) +
                            generationEnd("nodara-config.json", 1));
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(exitedWith(result, 0));
  EXPECT_EQ(maskTimestamp(readFile("nodara-config.json"), result),
            golden("single_lumo.json"));
  EXPECT_EQ(entryNames("cubes"), entries);
  struct stat status {};
  ASSERT_EQ(lstat(path("cubes/y.cub").c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// The write fails midway (the file-size limit is far below the size of the
// document) behind a link: the link, the file it names and the directory
// of that file stay as they were.
TEST_F(HostileInputE2eTest, FailedWriteThroughALinkLeavesEverythingAsItWas) {
  makeFiles("", {"mol_oL.cub"});
  makeDirectory("real");
  const std::string earlier = "{\"earlier\": \"document\"}\n";
  writeFile("real/target.json", earlier);
  ASSERT_EQ(chmod(path("real/target.json").c_str(), 0640), 0);
  ASSERT_EQ(symlink("real/target.json", path("link.json").c_str()), 0);
  ASSERT_EQ(symlink("real/missing.json", path("dangling.json").c_str()), 0);
  for (const std::string output : {"link.json", "dangling.json"}) {
    SCOPED_TRACE(output);
    const ToolResult result = tool({"-o", output})
                                  .withFileSizeLimit(100)
                                  .withTimeLimit(kTimeLimitSeconds)
                                  .run();
    EchoedSettings echoed;
    echoed.outputFile = output;
    EXPECT_EQ(result.out, generationStart(echoed, 1));
    EXPECT_EQ(result.err,
              "写入输出文件失败: " + output + "\n" + kGenerationFailed);
    EXPECT_TRUE(exitedWith(result, 1));
  }
  EXPECT_EQ(readFile("real/target.json"), earlier);
  struct stat status {};
  ASSERT_EQ(lstat(path("real/target.json").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & (S_IFMT | 07777), S_IFREG | 0640);
  char target[64] = {};
  ASSERT_GT(readlink(path("link.json").c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "real/target.json");
  char missing[64] = {};
  ASSERT_GT(
      readlink(path("dangling.json").c_str(), missing, sizeof missing - 1), 0);
  EXPECT_STREQ(missing, "real/missing.json");
  EXPECT_EQ(entryNames("real"), std::vector<std::string>{"target.json"});
  EXPECT_EQ(entryNames(""),
            (std::vector<std::string>{"dangling.json", "link.json",
                                      "mol_oL.cub", "real"}));
}

// The reader that checks documents whose names are no UTF-8.
TEST(ByteJsonReaderTest, ReadsRawBytesAndRejectsBrokenDocuments) {
  struct Case {
    std::string document;
    std::optional<std::string> text;  ///< of the member "a"; none: rejected
  };
  const Case cases[] = {
      {"{\"a\": \"\xff\xfe\x80\x7f\"}", "\xff\xfe\x80\x7f"},
      {"{\"a\": \"\\u0001\\u001f\\n\\\"\\\\\\/\"}", "\x01\x1f\n\"\\/"},
      {"{\"a\": \"\\u00e9\\ud83d\\ude00\"}", "\xc3\xa9\xf0\x9f\x98\x80"},
      {" {\"a\" : \"\" , \"b\": [1, -0.5e+3, true, false, null, {}]}\n", ""},
      {"{\"a\": \"x\x01y\"}", std::nullopt},
      {"{\"a\": \"x\"y\"}", std::nullopt},
      {"{\"a\": \"x\\q\"}", std::nullopt},
      {"{\"a\": \"\\ud800\"}", std::nullopt},
      {"{\"a\": \"open", std::nullopt},
      {"{\"a\": \"\", }", std::nullopt},
      {"{\"a\": \"\", \"a\": \"\"}", std::nullopt},
      {"{\"a\": \"\", \"b\": 01}", std::nullopt},
      {"{\"a\": \"\"} {}", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.document);
    std::string error;
    const std::optional<ByteJsonValue> value = readByteJson(c.document, error);
    ASSERT_EQ(value.has_value(), c.text.has_value()) << error;
    if (value) {
      EXPECT_EQ(value->member("a")->text, *c.text);
    }
  }
}

}  // namespace
}  // namespace nodara
