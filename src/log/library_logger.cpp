#include "log/library_logger.h"

namespace quor {

LibraryLogger::LibraryLogger() { setLevel(Error); }

LibraryLogger::~LibraryLogger() = default;

LibraryLogger& LibraryLogger::instance() {
  static LibraryLogger logger;
  return logger;
}

void libraryDebug(std::string_view message) {
  LibraryLogger::instance().debug(message);
}
void libraryInfo(std::string_view message) {
  LibraryLogger::instance().info(message);
}
void libraryWarning(std::string_view message) {
  LibraryLogger::instance().warning(message);
}
void libraryError(std::string_view message) {
  LibraryLogger::instance().error(message);
}

}  // namespace quor
