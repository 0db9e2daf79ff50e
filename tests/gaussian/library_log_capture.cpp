#include "gaussian/library_log_capture.h"

#include <iostream>

#include "log/library_logger.h"

namespace nodara {

void LibraryLogCapture::SetUp() {
  quor::LibraryLogger& logger = quor::LibraryLogger::instance();
  logger.setLevel(level_);
  logger.setColorEnabled(true);
  logger.setStreams(out_, err_);
}

void LibraryLogCapture::TearDown() {
  quor::LibraryLogger& logger = quor::LibraryLogger::instance();
  logger.setLevel(quor::Error);
  logger.setColorEnabled(true);
  logger.setStreams(std::cout, std::cerr);
}

void LibraryLogCapture::clearLogged() {
  out_.str("");
  err_.str("");
}

std::string infoLine(const std::string& message) {
  return "\x1b[32m[INFO] " + message + "\x1b[0m\n";
}

std::string warningLine(const std::string& message) {
  return "\x1b[33m[WARNING] " + message + "\x1b[0m\n";
}

std::string errorLine(const std::string& message) {
  return "\x1b[31m[ERROR] " + message + "\x1b[0m\n";
}

}  // namespace nodara
