// Where and how the tool writes its document: replacing files safely,
// links, devices and pipes, and the failures of opening and writing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2e_fixture.h"
#include "e2e/expected_output.h"

namespace nodara {
namespace {

constexpr const char* kCubeFile = "mol_oL.cub";
constexpr int kFileTypeAndMode = S_IFMT | 07777;

/// Each test scans a directory holding the one cube file mol_oL.cub, whose
/// document is golden/single_lumo.json.
class OutputFileE2eTest : public E2eFixture {
 protected:
  void SetUp() override {
    E2eFixture::SetUp();
    makeFiles("", {kCubeFile});
  }

  static EchoedSettings writingTo(const std::string& outputFile) {
    EchoedSettings settings;
    settings.outputFile = outputFile;
    return settings;
  }

  /// The file type and mode bits of `relative`, not following a link.
  int linkStatus(const std::string& relative) const {
    struct stat status {};
    EXPECT_EQ(lstat(path(relative).c_str(), &status), 0) << relative;
    return static_cast<int>(status.st_mode) & kFileTypeAndMode;
  }

  std::string linkTarget(const std::string& relative) const {
    char buffer[4096];
    const ssize_t length =
        readlink(path(relative).c_str(), buffer, sizeof buffer);
    EXPECT_GT(length, 0) << relative;
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length))
                      : "";
  }

  void expectFailedGeneration(const ToolResult& result,
                              const std::string& outputFile,
                              const std::string& message) const {
    EXPECT_EQ(result.out, generationStart(writingTo(outputFile), 1));
    EXPECT_EQ(result.err,
              message + outputFile + "\nFailed to generate config file!\n");
    EXPECT_TRUE(exitedWith(result, 1));
  }

  void expectWritten(const ToolResult& result, const std::string& outputFile,
                     const std::string& written) const {
    EXPECT_EQ(result.out, generationStart(writingTo(outputFile), 1) +
                              generationEnd(outputFile, 1));
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(exitedWith(result, 0));
    EXPECT_EQ(maskTimestamp(written, result), golden("single_lumo.json"));
  }
};

TEST_F(OutputFileE2eTest, WriteFailureOnAFullDeviceIsReported) {
  const ToolResult result = tool({"-o", "/dev/full"}).run();
  expectFailedGeneration(result, "/dev/full", "写入输出文件失败: ");
  EXPECT_EQ(entryNames(""), std::vector<std::string>{kCubeFile});
}

TEST_F(OutputFileE2eTest, OutputThatCannotBeOpenedIsReported) {
  writeFile("plain.txt", "plain\n");
  makeDirectory("existing");
  const std::string cases[] = {
      "missing/out.json", "plain.txt/out.json", "existing", "existing/", "",
  };
  for (const std::string& output : cases) {
    SCOPED_TRACE("-o [" + output + "]");
    const ToolResult result = tool({"-o", output}).run();
    expectFailedGeneration(result, output, "无法打开输出文件: ");
  }
  EXPECT_EQ(entryNames(""),
            (std::vector<std::string>{"existing", kCubeFile, "plain.txt"}));
  EXPECT_TRUE(entryNames("existing").empty());
  EXPECT_EQ(readFile("plain.txt"), "plain\n");
}

// A write that fails midway (the file-size limit is far below the size of
// the document) leaves an earlier file as it was, creates no new file and
// leaves no temporary file behind.
TEST_F(OutputFileE2eTest, FailedWriteLeavesEarlierFileUntouched) {
  const std::string earlier = "{\"earlier\": \"document\"}\n";
  writeFile("out.json", earlier);
  ASSERT_EQ(chmod(path("out.json").c_str(), 0640), 0);
  for (const std::string output : {"out.json", "new.json"}) {
    SCOPED_TRACE(output);
    const ToolResult result = tool({"-o", output}).withFileSizeLimit(100).run();
    expectFailedGeneration(result, output, "写入输出文件失败: ");
  }
  EXPECT_EQ(readFile("out.json"), earlier);
  EXPECT_EQ(linkStatus("out.json"), S_IFREG | 0640);
  EXPECT_EQ(entryNames(""), (std::vector<std::string>{kCubeFile, "out.json"}));
}

TEST_F(OutputFileE2eTest, ReplacedFileKeepsItsModeAndNewFileFollowsUmask) {
  struct Case {
    mode_t umask;
    std::optional<int> existingMode;
    int expectedMode;
  };
  const Case cases[] = {
      {022, std::nullopt, 0644}, {077, std::nullopt, 0600},
      {0, std::nullopt, 0666},   {022, 0600, 0600},
      {077, 0664, 0664},         {022, 0751, 0751},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "umask " << std::oct << c.umask << ", existing "
                 << (c.existingMode ? *c.existingMode : 0));
    if (c.existingMode) {
      // Longer than the document, so a leftover tail would show.
      writeFile("out.json", std::string(8000, 'x'));
      ASSERT_EQ(
          chmod(path("out.json").c_str(), static_cast<mode_t>(*c.existingMode)),
          0);
    }
    const ToolResult result = tool({"-o", "out.json"}).withUmask(c.umask).run();
    expectWritten(result, "out.json", readFile("out.json"));
    EXPECT_EQ(linkStatus("out.json"), S_IFREG | c.expectedMode);
    EXPECT_EQ(entryNames(""),
              (std::vector<std::string>{kCubeFile, "out.json"}));
    ASSERT_EQ(unlink(path("out.json").c_str()), 0);
  }
}

TEST_F(OutputFileE2eTest, LinksAreFollowedAndStayLinks) {
  makeDirectory("real");
  writeFile("real/target.json", "old\n");
  ASSERT_EQ(chmod(path("real/target.json").c_str(), 0640), 0);
  ASSERT_EQ(symlink("real/target.json", path("link.json").c_str()), 0);
  ASSERT_EQ(symlink("link.json", path("chain.json").c_str()), 0);
  const ToolResult result = tool({"-o", "chain.json"}).run();
  expectWritten(result, "chain.json", readFile("real/target.json"));
  EXPECT_EQ(linkStatus("chain.json") & S_IFMT, S_IFLNK);
  EXPECT_EQ(linkTarget("chain.json"), "link.json");
  EXPECT_EQ(linkStatus("link.json") & S_IFMT, S_IFLNK);
  EXPECT_EQ(linkTarget("link.json"), "real/target.json");
  EXPECT_EQ(linkStatus("real/target.json"), S_IFREG | 0640);
  EXPECT_EQ(entryNames("real"), std::vector<std::string>{"target.json"});
  EXPECT_EQ(entryNames(""), (std::vector<std::string>{"chain.json", "link.json",
                                                      kCubeFile, "real"}));
}

TEST_F(OutputFileE2eTest, LinkToAMissingFileCreatesItsTarget) {
  makeDirectory("real");
  ASSERT_EQ(symlink("real/new.json", path("link.json").c_str()), 0);
  const ToolResult result = tool({"-o", "link.json"}).withUmask(022).run();
  expectWritten(result, "link.json", readFile("real/new.json"));
  EXPECT_EQ(linkTarget("link.json"), "real/new.json");
  EXPECT_EQ(linkStatus("real/new.json"), S_IFREG | 0644);
  EXPECT_EQ(entryNames("real"), std::vector<std::string>{"new.json"});
}

// Standard output is a pipe here: the document is written into it, among
// the progress lines.
TEST_F(OutputFileE2eTest, StandardOutputAsOutputPrintsTheDocument) {
  const ToolResult result = tool({"-o", "/dev/stdout"}).run();
  const std::size_t start = result.out.find("{\n  \"version\"");
  const std::string documentEnd = "\n  ]\n}\n";
  const std::size_t end = result.out.find(documentEnd, start);
  ASSERT_NE(start, std::string::npos) << result.out;
  ASSERT_NE(end, std::string::npos) << result.out;
  const std::size_t length = end + documentEnd.size() - start;
  EXPECT_EQ(maskTimestamp(result.out.substr(start, length), result),
            golden("single_lumo.json"));
  // The progress lines around the document, in their order.
  std::string progress = result.out;
  progress.erase(start, length);
  EXPECT_EQ(progress, generationStart(writingTo("/dev/stdout"), 1) +
                          generationEnd("/dev/stdout", 1));
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(exitedWith(result, 0));
  EXPECT_EQ(entryNames(""), std::vector<std::string>{kCubeFile});
}

TEST_F(OutputFileE2eTest, DevicesAndPipesAreWrittenInPlace) {
  const ToolResult toNull = tool({"-o", "/dev/null"}).run();
  EXPECT_EQ(toNull.out, generationStart(writingTo("/dev/null"), 1) +
                            generationEnd("/dev/null", 1));
  EXPECT_TRUE(exitedWith(toNull, 0));
  struct stat devNull {};
  ASSERT_EQ(stat("/dev/null", &devNull), 0);
  EXPECT_TRUE(S_ISCHR(devNull.st_mode));

  ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
  // A reader that is already there lets the tool open the pipe at once; the
  // document is small enough to wait in the pipe's buffer.
  const int reader = open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const ToolResult toPipe = tool({"-o", "pipe"}).run();
  std::string received;
  char buffer[4096];
  ssize_t count = 0;
  while ((count = read(reader, buffer, sizeof buffer)) > 0) {
    received.append(buffer, static_cast<std::size_t>(count));
  }
  close(reader);
  expectWritten(toPipe, "pipe", received);
  EXPECT_EQ(linkStatus("pipe"), S_IFIFO | 0600);
  EXPECT_EQ(entryNames(""), (std::vector<std::string>{kCubeFile, "pipe"}));
}

}  // namespace
}  // namespace nodara
