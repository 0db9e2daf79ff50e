/// The logger of the Gaussian log-reading library.
#pragma once

#include <string_view>

#include "log/logger.h"

namespace quor {

/// A Logger whose minimum level starts at Error, so that only library
/// errors reach the console.
class LibraryLogger : public Logger {
 public:
  LibraryLogger();
  ~LibraryLogger() override;

  static LibraryLogger& instance();
};

void libraryDebug(std::string_view message);
void libraryInfo(std::string_view message);
void libraryWarning(std::string_view message);
void libraryError(std::string_view message);

}  // namespace quor
