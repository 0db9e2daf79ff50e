// ConfigGenerator: generateJson, writeConfigFile and generateConfig (the run
// without a log file).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "catalogue/config_generator.h"
#include "config/json_document.h"
#include "support/temp_directory.h"

namespace nodara {
namespace {
namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

/// Whether `text` has the shape YYYY-MM-DDTHH:MM:SS.uuuuuu.
bool isTimestamp(const std::string& text) {
  const std::string shape = "dddd-dd-ddTdd:dd:dd.dddddd";
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
  }
  return true;
}

/// The timestamp text of a document, or an empty text.
std::string timestampOf(const std::string& document) {
  const std::string key = "\n  \"timestamp\": \"";
  const std::size_t start = document.find(key);
  if (start == std::string::npos) return "";
  const std::string text = document.substr(start + key.size(), 26);
  return isTimestamp(text) ? text : "";
}

/// A generator on string streams and a unique temporary directory.
class ConfigWriterTest : public ::testing::Test {
 protected:
  void addEntry(const std::string& title) {
    ViewerEntry entry;
    entry.id = static_cast<std::int32_t>(generator_.viewers.size());
    entry.title = title;
    entry.color1 = "#0000FF";
    entry.color2 = "#FF0000";
    entry.isoValue = "0.025";
    entry.fileName1 = title + ".cub";
    generator_.viewers.push_back(entry);
  }

  TempDirectory temp_;
  fs::path dir_ = temp_.path();
  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};
};

TEST_F(ConfigWriterTest, GenerateJsonRendersViewersWithTheCurrentTime) {
  addEntry("a");
  addEntry("b");
  const std::string before = formatTimestamp(std::chrono::system_clock::now());
  const std::string document = generator_.generateJson();
  const std::string after = formatTimestamp(std::chrono::system_clock::now());
  const std::string timestamp = timestampOf(document);
  ASSERT_EQ(26u, timestamp.size()) << document;
  EXPECT_LE(before, timestamp);
  EXPECT_GE(after, timestamp);
  EXPECT_EQ(renderConfigDocument(generator_.viewers, timestamp), document);
}

TEST_F(ConfigWriterTest, WritesTheDocument) {
  addEntry("a");
  const fs::path output = dir_ / "out.json";
  ASSERT_TRUE(generator_.writeConfigFile(output.string()));
  const std::string document = readFile(output);
  EXPECT_EQ(renderConfigDocument(generator_.viewers, timestampOf(document)),
            document);
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("", err_.str());
}

TEST_F(ConfigWriterTest, ExistingFileIsReplacedCompletely) {
  const fs::path output = dir_ / "out.json";
  std::ofstream(output) << std::string(5000, 'o');
  ASSERT_TRUE(generator_.writeConfigFile(output.string()));
  const std::string document = readFile(output);
  EXPECT_EQ(renderConfigDocument({}, timestampOf(document)), document);
}

TEST_F(ConfigWriterTest, MissingDirectoryGivesOpenMessage) {
  addEntry("a");
  const std::string output = (dir_ / "missing" / "out.json").string();
  EXPECT_FALSE(generator_.writeConfigFile(output));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("无法打开输出文件: " + output + "\n", err_.str());
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_EQ(1u, generator_.viewers.size());
}

TEST_F(ConfigWriterTest, DirectoryInTheFilesPlaceGivesOpenMessage) {
  fs::create_directory(dir_ / "out.json");
  const std::string output = (dir_ / "out.json").string();
  EXPECT_FALSE(generator_.writeConfigFile(output));
  EXPECT_EQ("无法打开输出文件: " + output + "\n", err_.str());
}

TEST_F(ConfigWriterTest, DevFullGivesWriteMessage) {
  EXPECT_FALSE(generator_.writeConfigFile("/dev/full"));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("写入输出文件失败: /dev/full\n", err_.str());
}

TEST_F(ConfigWriterTest, FailedWriteMidwayGivesWriteMessageAndKeepsFile) {
  const fs::path output = dir_ / "out.json";
  std::ofstream(output) << "earlier";
  addEntry(std::string(100000, 'n'));
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = generator_.writeConfigFile(output.string());
    const bool messageRight =
        err_.str() == "写入输出文件失败: " + output.string() + "\n" &&
        out_.str().empty();
    _exit(!written && messageRight ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ("earlier", readFile(output));
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_NE(0u, entry.path().filename().string().rfind(".nodara-config-", 0))
        << entry.path();
  }
}

TEST_F(ConfigWriterTest, GenerateConfigWithoutLog) {
  std::ofstream(dir_ / "a_S1_hole.cub") << "cube\n";
  std::ofstream(dir_ / "a_S1_ele.cub") << "cube\n";
  std::ofstream(dir_ / "mol_oH.cub") << "cube\n";
  std::ofstream(dir_ / "mol_f+.cub") << "cube\n";
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  out_.str("");
  const std::string output = (dir_ / "config.json").string();
  ASSERT_TRUE(generator_.generateConfig(output));
  EXPECT_EQ("配置文件已生成: " + output + "\n共 3 个配置项\n", out_.str());
  EXPECT_EQ("", err_.str());
  ASSERT_EQ(3u, generator_.viewers.size());
  EXPECT_EQ("", generator_.viewers[0].notes);
  EXPECT_EQ("", generator_.viewers[1].notes);
  EXPECT_EQ("正值亲电", generator_.viewers[2].notes);
  const std::string document = readFile(output);
  EXPECT_EQ(renderConfigDocument(generator_.viewers, timestampOf(document)),
            document);
}

TEST_F(ConfigWriterTest, GenerateConfigIntoMissingDirectory) {
  std::ofstream(dir_ / "a.cub") << "cube\n";
  ASSERT_TRUE(generator_.scanDirectory(dir_.string()));
  out_.str("");
  const std::string output = (dir_ / "missing" / "config.json").string();
  EXPECT_FALSE(generator_.generateConfig(output));
  EXPECT_EQ("", out_.str());
  EXPECT_EQ("无法打开输出文件: " + output + "\n", err_.str());
  EXPECT_EQ(1u, generator_.viewers.size());
}

}  // namespace
}  // namespace nodara
