/// A scratch directory for files a test writes.
#pragma once

#include <filesystem>
#include <string>

namespace nodara {

/// Creates a fresh directory under the system's temporary directory and
/// removes it, with everything in it, on destruction.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// Writes `content` byte for byte to the file `name` in the directory
  /// and returns the file's path.
  std::string writeFile(const std::string& name,
                        const std::string& content) const;

 private:
  std::filesystem::path path_;
};

}  // namespace nodara
