/// A test fixture that captures the lines of the library logger.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "log/logger.h"

namespace nodara {

/// Sends quor::LibraryLogger's lines to two string streams for the length
/// of one test, at the level given (every level by default), and puts the
/// logger back to its defaults (level Error, colour, std::cout and
/// std::cerr) afterwards.
class LibraryLogCapture : public ::testing::Test {
 protected:
  explicit LibraryLogCapture(std::int32_t level = quor::Debug)
      : level_(level) {}

  void SetUp() override;
  void TearDown() override;

  /// What the logger wrote to its output stream (Debug, Info).
  std::string loggedOut() const { return out_.str(); }
  /// What the logger wrote to its error stream (Warning, Error).
  std::string loggedErr() const { return err_.str(); }
  void clearLogged();

 private:
  std::int32_t level_;
  std::ostringstream out_;
  std::ostringstream err_;
};

/// The line the logger writes, with colour, for a message at that level.
std::string infoLine(const std::string& message);
std::string warningLine(const std::string& message);
std::string errorLine(const std::string& message);

}  // namespace nodara
