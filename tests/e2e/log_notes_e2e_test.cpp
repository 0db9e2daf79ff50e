// Runs with a Gaussian log: the notes filled from the excited states of the
// last TD section and the energies of the last eigenvalue block, and the
// progress lines of the two imports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"

namespace nodara {
namespace {

/// The frontier-orbital files, in the order the document lists them.
const std::array<std::string, 4> kOrbitalParts = {"oH1", "oH", "oL", "oL1"};
const std::array<std::string, 4> kOrbitalTitles = {"HOMO-1", "HOMO", "LUMO",
                                                   "LUMO+1"};

/// What a run on one fixture log of tests/data writes (the facts listed in
/// tests/data/README.md).
struct LogFacts {
  std::string log;
  int statesImported;
  int orbitalsImported;
  /// Notes of the pair of each state label; the test directory holds a
  /// pair for every label. Byte-wise label order is the pairs' order.
  std::map<std::string, std::string> stateNotes;
  /// Notes of mol_oH1, mol_oH, mol_oL and mol_oL1.
  std::array<std::string, 4> orbitalNotes;
};

std::string dataLog(const std::string& name) {
  return std::string(NODARA_TEST_DATA_DIR) + "/" + name;
}

std::string holeFile(const std::string& label) {
  return "mol_" + label + "_hole.cub";
}

std::string electronFile(const std::string& label) {
  return "mol_" + label + "_ele.cub";
}

const LogFacts kPyridine = {
    "td_single_point.log",
    10,
    4,
    {
        {"S1", stateNotes("252.97", "0.0051", {"21->22=0.67012"})},
        {"S2", stateNotes("241.90", "0.0000", {"21->23=0.69123"})},
        {"S3",
         stateNotes("224.30", "0.0321", {"19->22=0.50234", "20->23=0.47012"})},
        {"S4",
         stateNotes("199.60", "0.0134",
                    {"19->23=-0.42011", "20->22=0.55012", "20<-22=-0.10012"})},
        {"S5", stateNotes("193.69", "0.0021", {"18->22=0.68234"})},
        {"S6", stateNotes("176.66", "0.5614",
                          {"19->23=0.52034", "20->22=-0.45012",
                           "19<-23=-0.11234", "20<-22=0.10001"})},
        {"S7",
         stateNotes("174.00", "0.4871",
                    {"19->22=0.50123", "20->23=0.47345", "19<-22=-0.10892"})},
        {"S8", stateNotes("169.81", "0.0000", {"17->22=0.69812"})},
        {"S9",
         stateNotes("166.27", "0.0003", {"21->24=0.68712", "21->26=-0.13456"})},
        {"S10",
         stateNotes("163.49", "0.0078",
                    {"20->24=0.60123", "16->22=0.31245", "19->25=-0.12012"})},
        // Above 10: not stored, so no notes.
        {"S11", ""},
        {"S12", ""},
    },
    {"20 = -7.3482 eV", "21 = -7.1389 eV", "22 = -0.8743 eV",
     "23 = -0.6501 eV"}};

// Three TD sections with 10, 8 and 6 states and four eigenvalue blocks: the
// last section and the last block count.
const LogFacts kAcrolein = {
    "opt_td.log",
    6,
    4,
    {
        {"S1",
         stateNotes("333.98", "0.0001", {"15->16=0.70312", "15->18=-0.10412"})},
        {"S2", stateNotes("208.33", "0.0021", {"13->16=0.69012"})},
        {"S3",
         stateNotes("193.99", "0.3912",
                    {"14->16=0.68123", "12->16=0.12456", "14<-16=-0.10734"})},
        {"S4", stateNotes("180.38", "0.0000", {"15->17=0.70123"})},
        {"S5",
         stateNotes("174.52", "0.0345", {"15->18=0.64512", "14->17=0.23012"})},
        {"S6", stateNotes("166.45", "0.0071", {"11->16=0.68902"})},
        // Only in the earlier sections.
        {"S7", ""},
        {"S8", ""},
    },
    {"14 = -7.8461 eV", "15 = -7.0782 eV", "16 = -2.0441 eV",
     "17 = 0.8498 eV"}};

// Numeric multiplicities, spin letters on the labels, Beta eigenvalues.
const LogFacts kAllyl = {
    "unrestricted_td.log",
    6,
    4,
    {
        {"S1",
         stateNotes("399.79", "0.0004", {"11->12=0.97123", "12->13=0.12034"})},
        {"S2",
         stateNotes("359.16", "0.0291",
                    {"12->13=0.89123", "10->12=-0.31245", "12<-13=-0.10001"})},
        {"S3",
         stateNotes("309.01", "0.0012",
                    {"12->14=0.71234", "9->12=0.62012", "11->13=-0.15123"})},
        {"S4",
         stateNotes("284.58", "0.0000", {"11->13=0.65123", "11->13=-0.64012"})},
        {"S5",
         stateNotes("253.54", "0.1734",
                    {"11->13=0.49012", "10->12=0.68123", "11<-13=-0.10567"})},
        {"S6",
         stateNotes("242.00", "0.0000", {"12->15=0.70123", "8->12=-0.68001"})},
    },
    {"11 = -8.9830 eV", "12 = -5.5272 eV", "13 = 0.5837 eV", "14 = 1.4479 eV"}};

// Carriage returns before every line feed: none may reach a note.
const LogFacts kFormaldehyde = {
    "td_crlf.log",
    4,
    4,
    {
        {"S1", stateNotes("317.81", "0.0000", {"8->9=0.70712"})},
        {"S2",
         stateNotes("177.80", "0.0412", {"8->10=0.69523", "7->11=0.11234"})},
        {"S3",
         stateNotes("166.39", "0.0023", {"6->9=0.68712", "6<-9=-0.10412"})},
        {"S4", stateNotes("149.16", "0.1823",
                          {"7->9=0.62345", "8->11=-0.30123", "7<-9=-0.12012"})},
    },
    {"7 = -10.6761 eV", "8 = -7.2143 eV", "9 = -1.0101 eV", "10 = 2.4825 eV"}};

// Excited states but no eigenvalue block: the orbital files get no notes.
const LogFacts kEthylene = {
    "no_orbitals_td.log",
    4,
    0,
    {
        {"S1",
         stateNotes("168.89", "0.3312", {"8->9=0.70123", "8<-9=-0.10934"})},
        {"S2", stateNotes("162.87", "0.0000", {"8->10=0.70612"})},
        {"S3", stateNotes("154.53", "0.0000", {"7->9=0.69812"})},
        {"S4",
         stateNotes("148.11", "0.0000", {"8->12=0.67123", "6->9=-0.18234"})},
    },
    {"", "", "", ""}};

class LogNotesE2eTest : public E2eFixture {
 protected:
  /// Creates `directory` with a hole/electron pair per state of `facts`
  /// and the four frontier-orbital files.
  void makeCubes(const std::string& directory, const LogFacts& facts) const {
    std::vector<std::string> names;
    for (const auto& [label, notes] : facts.stateNotes) {
      names.push_back(holeFile(label));
      names.push_back(electronFile(label));
    }
    for (const std::string& part : kOrbitalParts) {
      names.push_back("mol_" + part + ".cub");
    }
    makeFiles(directory, names);
  }

  /// Runs the tool on `directory` with the log of `facts` and `threshold`
  /// (none: the default), writing `output`, and checks everything it
  /// printed and wrote.
  void expectRun(const std::string& directory, const std::string& output,
                 const LogFacts& facts, const std::string& threshold) const {
    std::vector<std::string> arguments = {"-d", directory,         "-o", output,
                                          "-l", dataLog(facts.log)};
    EchoedSettings echoed;
    echoed.scanDirectory = directory;
    echoed.outputFile = output;
    echoed.logFile = dataLog(facts.log);
    if (!threshold.empty()) {
      arguments.insert(arguments.end(), {"-t", threshold});
      echoed.threshold = threshold;
    }
    const ToolResult result = tool(arguments).run();
    const std::vector<DocumentEntry> entries = expectedEntries(facts);
    const int found =
        static_cast<int>(2 * facts.stateNotes.size() + kOrbitalParts.size());
    EXPECT_EQ(result.out,
              generationStart(echoed, found, pairLines(facts)) +
                  logImportLines(dataLog(facts.log), facts.statesImported,
                                 facts.orbitalsImported) +
                  generationEnd(output, static_cast<int>(entries.size())));
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(exitedWith(result, 0));
    EXPECT_EQ(maskTimestamp(readFile(output), result),
              expectedDocument(entries, kTimestampMask));
  }

 private:
  static std::string pairLines(const LogFacts& facts) {
    std::string lines;
    for (const auto& [label, notes] : facts.stateNotes) {
      lines += pairLine(label, holeFile(label), electronFile(label));
    }
    return lines;
  }

  static std::vector<DocumentEntry> expectedEntries(const LogFacts& facts) {
    std::vector<DocumentEntry> entries;
    for (const auto& [label, notes] : facts.stateNotes) {
      entries.push_back({label + "_空穴电子分析", "0.001", holeFile(label),
                         electronFile(label), notes});
    }
    for (std::size_t i = 0; i < kOrbitalParts.size(); ++i) {
      entries.push_back({"mol_" + kOrbitalTitles[i], "0.025",
                         "mol_" + kOrbitalParts[i] + ".cub", "",
                         facts.orbitalNotes[i]});
    }
    return entries;
  }
};

// The example's own command, with paths relative to the working directory
// (a link to the bundled examples stands in the test's directory).
TEST_F(LogNotesE2eTest, BundledExampleGivesTheGoldenDocument) {
  ASSERT_EQ(symlink(NODARA_EXAMPLES_DIR, path("examples").c_str()), 0);
  const std::string directory = "examples/benzene";
  const std::string log = "examples/benzene/benzene.log";
  const std::string output = "benzene-config.json";
  const ToolResult result =
      tool({"-d", directory, "-l", log, "-o", output}).run();
  EchoedSettings echoed;
  echoed.scanDirectory = directory;
  echoed.outputFile = output;
  echoed.logFile = log;
  EXPECT_EQ(result.out,
            generationStart(
                echoed, 11,
                pairLine("S1", "benzene_S1_hole.cub", "benzene_S1_ele.cub")) +
                logImportLines(log, 10, 4) + generationEnd(output, 10));
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(exitedWith(result, 0));
  EXPECT_EQ(maskTimestamp(readFile(output), result),
            golden("benzene_with_log.json"));
  EXPECT_EQ(entryNames(""), (std::vector<std::string>{output, "examples"}));
}

TEST_F(LogNotesE2eTest, NotesComeFromTheLastSectionAndBlockOfEachLog) {
  const LogFacts cases[] = {
      kPyridine, kAcrolein, kAllyl, kFormaldehyde, kEthylene,
  };
  for (const LogFacts& facts : cases) {
    SCOPED_TRACE(facts.log);
    makeCubes(facts.log + ".d", facts);
    expectRun(facts.log + ".d", facts.log + ".json", facts, "");
  }
}

// td_single_point.log holds contributions of exactly 0.10000, -0.10000 and
// 0.10001 and one of 0.09998; only those above the threshold are listed.
TEST_F(LogNotesE2eTest, ThresholdSelectsTheListedContributions) {
  struct Case {
    std::string threshold;
    std::map<std::string, std::string> changedNotes;
  };
  const std::string s1 =
      stateNotes("252.97", "0.0051", {"21->22=0.67012", "21->25=-0.10000"});
  const std::string s3 =
      stateNotes("224.30", "0.0321",
                 {"19->22=0.50234", "20->23=0.47012", "19->23=0.10000"});
  const std::string s5 =
      stateNotes("193.69", "0.0021", {"18->22=0.68234", "18->23=0.09998"});
  const Case cases[] = {
      {"0.1", {}},
      {"0.09999", {{"S1", s1}, {"S3", s3}}},
      {"0", {{"S1", s1}, {"S3", s3}, {"S5", s5}}},
      {"-1", {{"S1", s1}, {"S3", s3}, {"S5", s5}}},
      {"0.10001",
       {{"S6", stateNotes(
                   "176.66", "0.5614",
                   {"19->23=0.52034", "20->22=-0.45012", "19<-23=-0.11234"})}}},
      // Every coefficient of S1 to S10 lies below 0.7.
      {"0.7",
       {{"S1", stateNotes("252.97", "0.0051", {})},
        {"S2", stateNotes("241.90", "0.0000", {})},
        {"S3", stateNotes("224.30", "0.0321", {})},
        {"S4", stateNotes("199.60", "0.0134", {})},
        {"S5", stateNotes("193.69", "0.0021", {})},
        {"S6", stateNotes("176.66", "0.5614", {})},
        {"S7", stateNotes("174.00", "0.4871", {})},
        {"S8", stateNotes("169.81", "0.0000", {})},
        {"S9", stateNotes("166.27", "0.0003", {})},
        {"S10", stateNotes("163.49", "0.0078", {})}}},
  };
  makeCubes("cubes", kPyridine);
  for (const Case& c : cases) {
    SCOPED_TRACE("-t " + c.threshold);
    LogFacts expected = kPyridine;
    for (const auto& [label, notes] : c.changedNotes) {
      expected.stateNotes[label] = notes;
    }
    expectRun("cubes", "out.json", expected, c.threshold);
  }
}

}  // namespace
}  // namespace nodara
