#include "gaussian/log_buffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace nodara {

LogBuffer::LogBuffer(std::string content) : owned_(std::move(content)) {}

LogBuffer::~LogBuffer() { release(); }

LogBuffer::LogBuffer(LogBuffer&& other) noexcept
    : owned_(std::move(other.owned_)),
      mapped_(std::exchange(other.mapped_, nullptr)),
      mappedSize_(std::exchange(other.mappedSize_, 0)) {}

LogBuffer& LogBuffer::operator=(LogBuffer&& other) noexcept {
  if (this != &other) {
    release();
    owned_ = std::move(other.owned_);
    mapped_ = std::exchange(other.mapped_, nullptr);
    mappedSize_ = std::exchange(other.mappedSize_, 0);
  }
  return *this;
}

void LogBuffer::release() {
  if (mapped_ != nullptr) munmap(const_cast<char*>(mapped_), mappedSize_);
  mapped_ = nullptr;
  mappedSize_ = 0;
  owned_.clear();
}

std::string_view LogBuffer::text() const {
  if (mapped_ != nullptr) return {mapped_, mappedSize_};
  return owned_;
}

bool LogBuffer::loadFile(const std::string& path) {
  release();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status;
  bool loaded = false;
  if (fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode)) {
    const std::size_t size = static_cast<std::size_t>(status.st_size);
    void* map = MAP_FAILED;
    if (S_ISREG(status.st_mode) && size > 0) {
      map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    }
    if (map != MAP_FAILED) {
      mapped_ = static_cast<const char*>(map);
      mappedSize_ = size;
      loaded = true;
    } else {
      loaded = readStream(fd);
    }
  }
  close(fd);
  return loaded;
}

bool LogBuffer::readStream(int fd) {
  constexpr std::size_t kChunk = 1 << 16;
  std::size_t used = 0;
  for (;;) {
    owned_.resize(used + kChunk);
    const ssize_t got = read(fd, owned_.data() + used, kChunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      owned_.resize(used);
      if (got < 0) owned_.clear();
      return got == 0;
    }
    used += static_cast<std::size_t>(got);
  }
}

}  // namespace nodara
