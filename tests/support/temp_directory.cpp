#include "support/temp_directory.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace nodara {

TempDirectory::TempDirectory() {
  static int created = 0;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("nodara-test-" + std::to_string(getpid()) + "-" +
                    std::to_string(created++));
    if (std::filesystem::create_directory(path_)) return;
  }
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDirectory::writeFile(const std::string& name,
                                     const std::string& content) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

}  // namespace nodara
