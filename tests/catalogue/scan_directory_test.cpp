// ConfigGenerator::scanDirectory on temporary directories.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "catalogue/config_generator.h"
#include "support/temp_directory.h"

namespace nodara {
namespace {
namespace fs = std::filesystem;

/// A unique temporary directory and a generator writing to string streams.
class ScanDirectoryTest : public ::testing::Test {
 protected:
  void touch(const std::string& name) {
    std::ofstream(dir_ / name) << "cube\n";
  }

  std::vector<std::string> catalogue() const {
    std::vector<std::string> names;
    for (const CubeFileInfo& info : generator_.cubeFiles) {
      names.push_back(info.fileName);
    }
    return names;
  }

  TempDirectory temp_;
  fs::path dir_ = temp_.path();
  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};
};

TEST_F(ScanDirectoryTest, EmptyDirectory) {
  EXPECT_FALSE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("未找到任何.cub文件\n", err_.str());
  EXPECT_TRUE(generator_.cubeFiles.empty());
  EXPECT_TRUE(generator_.pairs.empty());
  EXPECT_TRUE(generator_.viewers.empty());
}

TEST_F(ScanDirectoryTest, NoCubeFiles) {
  touch("a.txt");
  touch("b.CUB");
  touch(".cub");
  touch("c.cub.txt");
  touch("cub");
  EXPECT_FALSE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("未找到任何.cub文件\n", err_.str());
  EXPECT_TRUE(generator_.cubeFiles.empty());
}

TEST_F(ScanDirectoryTest, CatalogueIsSortedAndParsed) {
  touch("mol_oL1.cub");
  touch("mol_oH.cub");
  touch("density.cub");
  touch("a.b.cub");
  touch("x.cub.cub");
  touch("__.cub");
  touch("notes.txt");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ("找到 6 个.cub文件\n", out_.str());
  EXPECT_EQ("", err_.str());
  EXPECT_EQ((std::vector<std::string>{"mol_oH.cub", "mol_oL1.cub", "__.cub",
                                      "a.b.cub", "density.cub", "x.cub.cub"}),
            catalogue());
  EXPECT_EQ((std::vector<std::string>{"mol", "oH"}),
            generator_.cubeFiles[0].parts);
  EXPECT_TRUE(generator_.cubeFiles[2].parts.empty());
  EXPECT_EQ("", generator_.cubeFiles[2].typeCode);
  EXPECT_EQ((std::vector<std::string>{"a.b"}), generator_.cubeFiles[3].parts);
  EXPECT_EQ((std::vector<std::string>{"x.cub"}), generator_.cubeFiles[5].parts);
  EXPECT_EQ("cub", generator_.cubeFiles[5].typeCode);
}

TEST_F(ScanDirectoryTest, HiddenNamesWithAnExtensionAreTaken) {
  touch(".x.cub");
  touch("..cub");
  touch(".cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"..cub", ".x.cub"}), catalogue());
  EXPECT_EQ((std::vector<std::string>{".x"}), generator_.cubeFiles[1].parts);
}

TEST_F(ScanDirectoryTest, CountLineComesBeforePairLines) {
  touch("a_S1_hole.cub");
  touch("a_S1_ele.cub");
  touch("b_S2_ele.cub");
  touch("b_S2_hole.cub");
  touch("mol_oH.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ(
      "找到 5 个.cub文件\n"
      "识别到配对: S1 -> a_S1_hole.cub + a_S1_ele.cub\n"
      "识别到配对: S2 -> b_S2_hole.cub + b_S2_ele.cub\n",
      out_.str());
  EXPECT_EQ("", err_.str());
  ASSERT_EQ(2u, generator_.pairs.size());
  EXPECT_EQ("S1", generator_.pairs[0].stateLabel);
  EXPECT_EQ("S2", generator_.pairs[1].stateLabel);
  EXPECT_TRUE(generator_.viewers.empty());
}

TEST_F(ScanDirectoryTest, SubdirectoryNamedLikeACubeFileIsPassedOver) {
  fs::create_directory(dir_ / "z.cub");
  touch("a.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"a.cub"}), catalogue());
  EXPECT_EQ("找到 1 个.cub文件\n", out_.str());
}

TEST_F(ScanDirectoryTest, NoRecursionIntoSubdirectories) {
  fs::create_directory(dir_ / "sub");
  std::ofstream(dir_ / "sub" / "inner.cub") << "cube\n";
  EXPECT_FALSE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ("未找到任何.cub文件\n", err_.str());
}

TEST_F(ScanDirectoryTest, SymlinkToRegularFileIsTakenUnderItsOwnName) {
  touch("target.dat");
  fs::create_symlink("target.dat", dir_ / "x.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"x.cub"}), catalogue());
  EXPECT_EQ("找到 1 个.cub文件\n", out_.str());
}

TEST_F(ScanDirectoryTest, SymlinkToDirectoryIsPassedOver) {
  fs::create_directory(dir_ / "sub");
  fs::create_directory_symlink("sub", dir_ / "d.cub");
  touch("a.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"a.cub"}), catalogue());
}

TEST_F(ScanDirectoryTest, DanglingSymlinkAndLoopArePassedOverSilently) {
  fs::create_symlink("missing.dat", dir_ / "y.cub");
  fs::create_symlink("loop.cub", dir_ / "loop.cub");
  fs::create_symlink("p.cub", dir_ / "q.cub");
  fs::create_symlink("q.cub", dir_ / "p.cub");
  touch("a.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"a.cub"}), catalogue());
  EXPECT_EQ("找到 1 个.cub文件\n", out_.str());
  EXPECT_EQ("", err_.str());
}

TEST_F(ScanDirectoryTest, OnlyDanglingSymlinks) {
  fs::create_symlink("missing.dat", dir_ / "y.cub");
  EXPECT_FALSE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("未找到任何.cub文件\n", err_.str());
}

TEST_F(ScanDirectoryTest, FifoIsPassedOver) {
  ASSERT_EQ(0, mkfifo((dir_ / "y.cub").c_str(), 0600));
  touch("a.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  EXPECT_EQ((std::vector<std::string>{"a.cub"}), catalogue());
  EXPECT_EQ("", err_.str());
}

TEST_F(ScanDirectoryTest, MissingDirectory) {
  EXPECT_FALSE(generator_.scanDirectory((dir_ / "missing").string()));
  EXPECT_EQ("", out_.str());
  const std::string error = err_.str();
  EXPECT_EQ(0u, error.rfind("扫描目录失败: ", 0)) << error;
  EXPECT_NE(std::string::npos, error.find((dir_ / "missing").string()))
      << error;
  EXPECT_EQ('\n', error.back());
  EXPECT_EQ(1, std::count(error.begin(), error.end(), '\n')) << error;
}

/// Runs `body` in a child process that has given up root, so that
/// permissions apply; returns its exit status (or -1).
template <typename Body>
int inChildWithoutRoot(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(3);
    }
    _exit(body());
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ScanDirectoryTest, UnreadableDirectory) {
  fs::permissions(dir_, static_cast<fs::perms>(0755));
  fs::create_directory(dir_ / "locked");
  std::ofstream(dir_ / "locked" / "a.cub") << "cube\n";
  fs::permissions(dir_ / "locked", fs::perms::none);
  const int status = inChildWithoutRoot([&] {
    const bool scanned = generator_.scanDirectory((dir_ / "locked").string());
    const bool messageRight =
        err_.str().rfind("扫描目录失败: ", 0) == 0 && out_.str().empty();
    return !scanned && messageRight ? 0 : 1;
  });
  fs::permissions(dir_ / "locked", fs::perms::owner_all);
  EXPECT_EQ(0, status);
}

TEST_F(ScanDirectoryTest, EntryWhoseStatusCannotBeRead) {
  fs::permissions(dir_, static_cast<fs::perms>(0755));
  fs::create_directory(dir_ / "scan");
  fs::create_directory(dir_ / "locked");
  std::ofstream(dir_ / "locked" / "a.dat") << "cube\n";
  fs::create_symlink("../locked/a.dat", dir_ / "scan" / "x.cub");
  fs::permissions(dir_ / "locked", fs::perms::none);
  const int status = inChildWithoutRoot([&] {
    const bool scanned = generator_.scanDirectory((dir_ / "scan").string());
    const bool messageRight =
        err_.str().rfind("扫描目录失败: ", 0) == 0 && out_.str().empty();
    return !scanned && messageRight ? 0 : 1;
  });
  fs::permissions(dir_ / "locked", fs::perms::owner_all);
  EXPECT_EQ(0, status);
}

TEST_F(ScanDirectoryTest, RegularFileInsteadOfDirectory) {
  touch("a.cub");
  EXPECT_FALSE(generator_.scanDirectory((dir_ / "a.cub").string()));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ(0u, err_.str().rfind("扫描目录失败: ", 0)) << err_.str();
}

TEST_F(ScanDirectoryTest, RelativePathResolvesAgainstWorkingDirectory) {
  touch("a.cub");
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  const bool scanned = generator_.scanDirectory(".");
  fs::current_path(previous);
  ASSERT_TRUE(scanned);
  EXPECT_EQ((std::vector<std::string>{"a.cub"}), catalogue());
}

TEST_F(ScanDirectoryTest, SecondScanReplacesTheFirst) {
  fs::create_directory(dir_ / "one");
  fs::create_directory(dir_ / "two");
  std::ofstream(dir_ / "one" / "a_S1_hole.cub") << "cube\n";
  std::ofstream(dir_ / "one" / "a_S1_ele.cub") << "cube\n";
  std::ofstream(dir_ / "two" / "b_S2_hole.cub") << "cube\n";
  std::ofstream(dir_ / "two" / "b_S2_ele.cub") << "cube\n";
  std::ofstream(dir_ / "two" / "c.cub") << "cube\n";
  ASSERT_TRUE(generator_.scanDirectory((dir_ / "one").string()));
  generator_.viewers.push_back(ViewerEntry{});
  generator_.excitedStates["S1"] = ExcitedStateText{"350.00", "0.1000", ""};
  generator_.orbitalEnergies["h"] = OrbitalEnergy{45, -0.2345};
  out_.str("");
  ASSERT_TRUE(generator_.scanDirectory((dir_ / "two").string()));
  EXPECT_EQ(
      (std::vector<std::string>{"b_S2_ele.cub", "b_S2_hole.cub", "c.cub"}),
      catalogue());
  ASSERT_EQ(1u, generator_.pairs.size());
  EXPECT_EQ("b_S2_hole.cub", generator_.pairs[0].holeFile);
  EXPECT_EQ("b_S2_ele.cub", generator_.pairs[0].electronFile);
  EXPECT_EQ("S2", generator_.pairs[0].stateLabel);
  EXPECT_TRUE(generator_.viewers.empty());
  // The two maps are not touched by a scan.
  EXPECT_EQ(1u, generator_.excitedStates.count("S1"));
  EXPECT_EQ(1u, generator_.orbitalEnergies.count("h"));
  EXPECT_EQ(
      "找到 3 个.cub文件\n"
      "识别到配对: S2 -> b_S2_hole.cub + b_S2_ele.cub\n",
      out_.str());
}

TEST_F(ScanDirectoryTest, FailedScanEmptiesTheLists) {
  touch("a_S1_hole.cub");
  touch("a_S1_ele.cub");
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  generator_.viewers.push_back(ViewerEntry{});
  EXPECT_FALSE(generator_.scanDirectory((dir_ / "missing").string()));
  EXPECT_TRUE(generator_.cubeFiles.empty());
  EXPECT_TRUE(generator_.pairs.empty());
  EXPECT_TRUE(generator_.viewers.empty());
}

TEST(ConfigGeneratorTest, FreshGeneratorHasTheDefaults) {
  const ConfigGenerator generator;
  EXPECT_EQ(0.1, generator.threshold);
  EXPECT_EQ("#0000FF", generator.color1);
  EXPECT_EQ("#FF0000", generator.color2);
  EXPECT_EQ("", generator.logFile);
  EXPECT_TRUE(generator.cubeFiles.empty());
  EXPECT_TRUE(generator.pairs.empty());
  EXPECT_TRUE(generator.viewers.empty());
  EXPECT_TRUE(generator.excitedStates.empty());
  EXPECT_TRUE(generator.orbitalEnergies.empty());
}

}  // namespace
}  // namespace nodara
