#include "config/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "support/temp_directory.h"

namespace nodara {
namespace {
namespace fs = std::filesystem;

using Result = OutputFile::Result;

/// A unique temporary directory, removed after the test; the umask is
/// restored too.
class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { umask_ = umask(022); }

  void TearDown() override {
    umask(umask_);
    // Directories a test made unreadable must be removable again.
    std::error_code error;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, error);
    for (const auto& entry : fs::recursive_directory_iterator(dir_, error)) {
      if (entry.is_directory(error) && !entry.is_symlink(error)) {
        fs::permissions(entry.path(), fs::perms::owner_all,
                        fs::perm_options::add, error);
      }
    }
  }

  std::string path(const std::string& name) const {
    return (dir_ / name).string();
  }

  mode_t umask_ = 022;
  TempDirectory temp_;
  fs::path dir_ = temp_.path();
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

mode_t modeOf(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return 0;
  return status.st_mode & 07777;
}

/// The temporary files a write may have left in `directory`.
std::vector<std::string> leftovers(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(".nodara-config-", 0) == 0) names.push_back(name);
  }
  return names;
}

bool isSymlink(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

TEST_F(OutputFileTest, NewFileGetsModeFromUmask) {
  umask(027);
  EXPECT_EQ(Result::Written, OutputFile::write(path("a.json"), "{}\n"));
  EXPECT_EQ("{}\n", readFile(path("a.json")));
  EXPECT_EQ(0640u, modeOf(path("a.json")));
  umask(0);
  EXPECT_EQ(Result::Written, OutputFile::write(path("b.json"), "x"));
  EXPECT_EQ(0666u, modeOf(path("b.json")));
  umask(022);
  EXPECT_EQ(Result::Written, OutputFile::write(path("c.json"), "x"));
  EXPECT_EQ(0644u, modeOf(path("c.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, EmptyContentGivesEmptyFile) {
  EXPECT_EQ(Result::Written, OutputFile::write(path("a.json"), ""));
  EXPECT_TRUE(fs::is_regular_file(path("a.json")));
  EXPECT_EQ("", readFile(path("a.json")));
}

TEST_F(OutputFileTest, ReplacedFileKeepsItsModeAndIsReplacedCompletely) {
  writeFile(path("a.json"), "an older and much longer document\n");
  fs::permissions(path("a.json"), static_cast<fs::perms>(0604));
  EXPECT_EQ(Result::Written, OutputFile::write(path("a.json"), "new\n"));
  EXPECT_EQ("new\n", readFile(path("a.json")));
  EXPECT_EQ(0604u, modeOf(path("a.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, ReadOnlyFileInWritableDirectoryIsReplaced) {
  writeFile(path("a.json"), "old");
  fs::permissions(path("a.json"), static_cast<fs::perms>(0444));
  EXPECT_EQ(Result::Written, OutputFile::write(path("a.json"), "new"));
  EXPECT_EQ("new", readFile(path("a.json")));
  EXPECT_EQ(0444u, modeOf(path("a.json")));
}

TEST_F(OutputFileTest, RelativePathWithoutDirectory) {
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  const Result result = OutputFile::write("out.json", "x");
  fs::current_path(previous);
  EXPECT_EQ(Result::Written, result);
  EXPECT_EQ("x", readFile(path("out.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, SymlinkStaysALinkAndItsTargetIsReplaced) {
  writeFile(path("real.json"), "old content");
  fs::permissions(path("real.json"), static_cast<fs::perms>(0640));
  fs::create_symlink("real.json", path("link.json"));
  EXPECT_EQ(Result::Written, OutputFile::write(path("link.json"), "new"));
  EXPECT_TRUE(isSymlink(path("link.json")));
  EXPECT_EQ(fs::path("real.json"), fs::read_symlink(path("link.json")));
  EXPECT_FALSE(isSymlink(path("real.json")));
  EXPECT_EQ("new", readFile(path("real.json")));
  EXPECT_EQ(0640u, modeOf(path("real.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, ChainOfLinksIntoAnotherDirectory) {
  fs::create_directory(dir_ / "a");
  fs::create_directory(dir_ / "b");
  writeFile(path("b/real.json"), "old");
  fs::create_symlink("../b/real.json", dir_ / "a" / "first");
  fs::create_symlink(dir_ / "a" / "first", dir_ / "second");
  EXPECT_EQ(Result::Written, OutputFile::write(path("second"), "new"));
  EXPECT_TRUE(isSymlink(path("second")));
  EXPECT_TRUE(isSymlink(path("a/first")));
  EXPECT_EQ("new", readFile(path("b/real.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
  EXPECT_TRUE(leftovers(dir_ / "a").empty());
  EXPECT_TRUE(leftovers(dir_ / "b").empty());
}

TEST_F(OutputFileTest, DanglingSymlinkCreatesItsTarget) {
  umask(027);
  fs::create_symlink("new.json", path("link.json"));
  EXPECT_EQ(Result::Written, OutputFile::write(path("link.json"), "doc"));
  EXPECT_TRUE(isSymlink(path("link.json")));
  EXPECT_EQ(fs::path("new.json"), fs::read_symlink(path("link.json")));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path("new.json"))));
  EXPECT_EQ("doc", readFile(path("new.json")));
  EXPECT_EQ(0640u, modeOf(path("new.json")));
}

TEST_F(OutputFileTest, DevFullGivesWriteFailed) {
  EXPECT_EQ(Result::WriteFailed, OutputFile::write("/dev/full", "doc"));
}

TEST_F(OutputFileTest, DevNullIsWrittenInPlace) {
  struct stat before;
  ASSERT_EQ(0, lstat("/dev/null", &before));
  EXPECT_EQ(Result::Written, OutputFile::write("/dev/null", "doc"));
  struct stat after;
  ASSERT_EQ(0, lstat("/dev/null", &after));
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(before.st_rdev, after.st_rdev);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_TRUE(leftovers("/dev").empty());
}

TEST_F(OutputFileTest, FifoIsWrittenInPlace) {
  ASSERT_EQ(0, mkfifo(path("pipe").c_str(), 0600));
  std::string received;
  std::thread reader([&] {
    const int fd = open(path("pipe").c_str(), O_RDONLY);
    if (fd < 0) return;
    char buffer[256];
    ssize_t length;
    while ((length = read(fd, buffer, sizeof buffer)) > 0) {
      received.append(buffer, static_cast<std::size_t>(length));
    }
    close(fd);
  });
  const Result result = OutputFile::write(path("pipe"), "through the pipe");
  reader.join();
  EXPECT_EQ(Result::Written, result);
  EXPECT_EQ("through the pipe", received);
  struct stat status;
  ASSERT_EQ(0, lstat(path("pipe").c_str(), &status));
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, MissingDirectoryGivesOpenFailed) {
  EXPECT_EQ(Result::OpenFailed, OutputFile::write(path("missing/a.json"), "x"));
  EXPECT_FALSE(fs::exists(path("missing")));
}

TEST_F(OutputFileTest, DirectoryPartIsARegularFile) {
  writeFile(path("file"), "keep");
  EXPECT_EQ(Result::OpenFailed, OutputFile::write(path("file/a.json"), "x"));
  EXPECT_EQ("keep", readFile(path("file")));
}

TEST_F(OutputFileTest, DirectoryInTheFilesPlace) {
  fs::create_directory(path("out.json"));
  EXPECT_EQ(Result::OpenFailed, OutputFile::write(path("out.json"), "x"));
  EXPECT_TRUE(fs::is_directory(path("out.json")));
  EXPECT_TRUE(fs::is_empty(path("out.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, PathEndingInSlashGivesOpenFailed) {
  EXPECT_EQ(Result::OpenFailed, OutputFile::write(path("new/"), "x"));
  EXPECT_FALSE(fs::exists(path("new")));
  fs::create_directory(path("dir"));
  EXPECT_EQ(Result::OpenFailed, OutputFile::write(path("dir/"), "x"));
}

/// Runs `body` in a child process and returns its exit status (or -1 when
/// it did not exit normally).
template <typename Body>
int inChild(Body body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// In a child: limits the size of written files, as a full disk would.
void limitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  const struct rlimit limit = {bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

int codeOf(Result result) { return static_cast<int>(result) + 10; }

TEST_F(OutputFileTest, FailedWriteLeavesExistingFileAndNoTemporaryFile) {
  writeFile(path("a.json"), "the earlier document");
  fs::permissions(path("a.json"), static_cast<fs::perms>(0600));
  const std::string document(100000, 'x');
  const int status = inChild([&] {
    limitFileSize(4096);
    return codeOf(OutputFile::write(path("a.json"), document));
  });
  EXPECT_EQ(codeOf(Result::WriteFailed), status);
  EXPECT_EQ("the earlier document", readFile(path("a.json")));
  EXPECT_EQ(0600u, modeOf(path("a.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, FailedWriteOfNewFileLeavesNothing) {
  const std::string document(100000, 'x');
  const int status = inChild([&] {
    limitFileSize(4096);
    return codeOf(OutputFile::write(path("a.json"), document));
  });
  EXPECT_EQ(codeOf(Result::WriteFailed), status);
  EXPECT_FALSE(fs::exists(path("a.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

TEST_F(OutputFileTest, FailedWriteThroughSymlinkLeavesTargetUntouched) {
  writeFile(path("real.json"), "earlier");
  fs::create_symlink("real.json", path("link.json"));
  const std::string document(100000, 'x');
  const int status = inChild([&] {
    limitFileSize(4096);
    return codeOf(OutputFile::write(path("link.json"), document));
  });
  EXPECT_EQ(codeOf(Result::WriteFailed), status);
  EXPECT_EQ("earlier", readFile(path("real.json")));
  EXPECT_TRUE(isSymlink(path("link.json")));
  EXPECT_TRUE(leftovers(dir_).empty());
}

/// In a child: gives up root, so that permissions apply.
bool dropRoot() {
  if (geteuid() != 0) return true;
  return setgid(65534) == 0 && setuid(65534) == 0 && geteuid() != 0;
}

TEST_F(OutputFileTest, PermissionFailureGivesOpenFailed) {
  fs::permissions(dir_, static_cast<fs::perms>(0755));
  fs::create_directory(path("ro"));
  writeFile(path("ro/a.json"), "earlier");
  fs::permissions(path("ro/a.json"), static_cast<fs::perms>(0644));
  fs::permissions(path("ro"), static_cast<fs::perms>(0555));
  const int status = inChild([&] {
    if (!dropRoot()) return 1;
    const Result existing = OutputFile::write(path("ro/a.json"), "new");
    const Result created = OutputFile::write(path("ro/b.json"), "new");
    return existing == Result::OpenFailed && created == Result::OpenFailed ? 0
                                                                           : 2;
  });
  EXPECT_EQ(0, status);
  EXPECT_EQ("earlier", readFile(path("ro/a.json")));
  EXPECT_FALSE(fs::exists(path("ro/b.json")));
  EXPECT_TRUE(leftovers(dir_ / "ro").empty());
}

}  // namespace
}  // namespace nodara
