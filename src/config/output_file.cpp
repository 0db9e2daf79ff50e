#include "config/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace nodara {
namespace {

using Result = OutputFile::Result;

constexpr int kMaxLinkDepth = 40;

/// Follows the symbolic links of `path` itself (not of its directories) to
/// the final name. Nothing when a link cannot be read or the chain is too
/// long.
std::optional<std::string> finalTarget(std::string path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      return path;
    }
    std::vector<char> buffer(static_cast<std::size_t>(status.st_size) + 256);
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
      return std::nullopt;
    }
    std::string target(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (target.empty() || target[0] == '/' || slash == std::string::npos) {
      path = target;
    } else {
      path = path.substr(0, slash + 1) + target;
    }
  }
  return std::nullopt;
}

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

Result writeInPlace(const std::string& path, std::string_view content) {
  const int fd =
      open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Result::OpenFailed;
  const bool written = writeAll(fd, content);
  const bool closed = close(fd) == 0;
  return written && closed ? Result::Written : Result::WriteFailed;
}

mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

/// Gives the temporary file the mode (and, where allowed, the owner) of
/// the file it replaces, or the mode of a newly created file.
void adoptAttributes(int fd, const struct stat* existing) {
  if (existing == nullptr) {
    fchmod(fd, newFileMode());
    return;
  }
  if (fchown(fd, existing->st_uid, existing->st_gid) != 0) {
    // Not permitted for an ordinary user: the file then changes owner.
  }
  fchmod(fd, existing->st_mode & 07777);
}

Result replaceFile(const std::string& target, const struct stat* existing,
                   std::string_view content) {
  const std::size_t slash = target.rfind('/');
  const std::string directory =
      slash == std::string::npos ? "." : target.substr(0, slash);
  std::string temporary = directory + "/.nodara-config-XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return Result::OpenFailed;
  adoptAttributes(fd, existing);
  const bool written = writeAll(fd, content) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (written && closed && rename(temporary.c_str(), target.c_str()) == 0) {
    return Result::Written;
  }
  unlink(temporary.c_str());
  return Result::WriteFailed;
}

}  // namespace

Result OutputFile::write(const std::string& path, std::string_view content) {
  struct stat status;
  const bool exists = stat(path.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) return writeInPlace(path, content);
  if (exists && !S_ISREG(status.st_mode)) return writeInPlace(path, content);
  const std::optional<std::string> target = finalTarget(path);
  if (!target || target->empty() || target->back() == '/') {
    return writeInPlace(path, content);
  }
  if (!exists) return replaceFile(*target, nullptr, content);
  // The name must still lead to the same file (a link in /proc may name a
  // deleted file, for instance); otherwise write through the path itself.
  struct stat targetStatus;
  if (lstat(target->c_str(), &targetStatus) != 0 ||
      targetStatus.st_dev != status.st_dev ||
      targetStatus.st_ino != status.st_ino) {
    return writeInPlace(path, content);
  }
  return replaceFile(*target, &status, content);
}

}  // namespace nodara
