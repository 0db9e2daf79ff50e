/// The bytes of one log: a read-only file mapping or an owned string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nodara {

/// Holds a log's text in one contiguous block. A regular file is mapped
/// read-only; other readable files (pipes, devices) and strings are copied
/// into an owned buffer. Move-only.
class LogBuffer {
 public:
  LogBuffer() = default;
  explicit LogBuffer(std::string content);
  ~LogBuffer();
  LogBuffer(LogBuffer&& other) noexcept;
  LogBuffer& operator=(LogBuffer&& other) noexcept;
  LogBuffer(const LogBuffer&) = delete;
  LogBuffer& operator=(const LogBuffer&) = delete;

  /// Loads the file at `path`. Returns false and leaves the buffer empty
  /// when it cannot be opened or read (a directory cannot).
  [[nodiscard]] bool loadFile(const std::string& path);

  std::string_view text() const;

 private:
  void release();
  bool readStream(int fd);

  std::string owned_;
  const char* mapped_ = nullptr;
  std::size_t mappedSize_ = 0;
};

}  // namespace nodara
