/// Leveled, optionally coloured console loggers of the quor namespace.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string_view>

namespace quor {

/// Message levels; any other value is written with the label "UNKNOWN".
enum LogLevel : std::int32_t {
  Debug = 0,
  Info = 1,
  Warning = 2,
  Error = 3,
};

struct LoggerState;

/// Writes one line per message: colour, "[LABEL] ", message, reset, newline.
/// Debug and Info go to the output stream, the other levels to the error
/// stream; whole lines are written under a per-logger lock.
class Logger {
 public:
  Logger();
  virtual ~Logger();
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  static Logger& instance();

  void log(std::int32_t level, std::string_view message);
  void debug(std::string_view message) { log(Debug, message); }
  void info(std::string_view message) { log(Info, message); }
  void warning(std::string_view message) { log(Warning, message); }
  void error(std::string_view message) { log(Error, message); }

  void setLevel(std::int32_t level);
  std::int32_t level() const;
  void setColorEnabled(bool enabled);
  /// Redirects the two streams (standard output and standard error by
  /// default); the streams must outlive their use by the logger.
  void setStreams(std::ostream& out, std::ostream& err);

 private:
  std::unique_ptr<LoggerState> state_;
};

void logDebug(std::string_view message);
void logInfo(std::string_view message);
void logWarning(std::string_view message);
void logError(std::string_view message);

}  // namespace quor
