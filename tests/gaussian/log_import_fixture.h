/// A fixture for the generator's log imports.
#pragma once

#include <sstream>
#include <string>
#include <utility>

#include "catalogue/config_generator.h"
#include "gaussian/library_log_capture.h"
#include "log/console.h"
#include "support/temp_directory.h"

namespace nodara {

/// A generator writing to string streams whose import (one of its two log
/// imports) runs on a log written to a temporary file. The library logger
/// stays at its own level but is captured.
class LogImportFixture : public LibraryLogCapture {
 protected:
  /// `pathLabel` is the text the import prints before the log's path.
  LogImportFixture(bool (ConfigGenerator::*import)(), std::string pathLabel)
      : LibraryLogCapture(quor::Error),
        import_(import),
        pathLabel_(std::move(pathLabel)) {}

  /// Writes `content` as the log and runs the import on it.
  bool importLog(const std::string& content) {
    generator_.logFile = dir_.writeFile("run.log", content);
    return runImport();
  }

  bool runImport() {
    out_.str("");
    err_.str("");
    return (generator_.*import_)();
  }

  std::string pathLine() const {
    return pathLabel_ + generator_.logFile + "\n";
  }

  TempDirectory dir_;
  std::ostringstream out_;
  std::ostringstream err_;
  ConfigGenerator generator_{Console(out_, err_)};

 private:
  bool (ConfigGenerator::*import_)();
  std::string pathLabel_;
};

}  // namespace nodara
