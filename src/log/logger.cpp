#include "log/logger.h"

#include <iostream>
#include <mutex>

namespace quor {

struct LoggerState {
  std::int32_t minLevel = Info;
  bool colorEnabled = true;
  std::mutex mutex;
  std::ostream* out = &std::cout;
  std::ostream* err = &std::cerr;
};

namespace {

struct LevelStyle {
  std::string_view label;
  std::string_view color;
};

LevelStyle styleOf(std::int32_t level) {
  switch (level) {
    case Debug:
      return {"DEBUG", "\x1b[36m"};
    case Info:
      return {"INFO", "\x1b[32m"};
    case Warning:
      return {"WARNING", "\x1b[33m"};
    case Error:
      return {"ERROR", "\x1b[31m"};
    default:
      return {"UNKNOWN", ""};
  }
}

constexpr std::string_view kReset = "\x1b[0m";

}  // namespace

Logger::Logger() : state_(std::make_unique<LoggerState>()) {}

Logger::~Logger() = default;

Logger& Logger::instance() {
  static Logger logger;
  return logger;
}

void Logger::log(std::int32_t level, std::string_view message) {
  if (level < state_->minLevel) return;
  std::lock_guard<std::mutex> lock(state_->mutex);
  std::ostream& stream = level <= Info ? *state_->out : *state_->err;
  const LevelStyle style = styleOf(level);
  if (state_->colorEnabled) stream << style.color;
  stream << '[' << style.label << "] " << message;
  if (state_->colorEnabled) stream << kReset;
  stream << '\n';
  if (level > Warning) stream.flush();
}

void Logger::setLevel(std::int32_t level) { state_->minLevel = level; }

std::int32_t Logger::level() const { return state_->minLevel; }

void Logger::setColorEnabled(bool enabled) { state_->colorEnabled = enabled; }

void Logger::setStreams(std::ostream& out, std::ostream& err) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->out = &out;
  state_->err = &err;
}

void logDebug(std::string_view message) { Logger::instance().debug(message); }
void logInfo(std::string_view message) { Logger::instance().info(message); }
void logWarning(std::string_view message) {
  Logger::instance().warning(message);
}
void logError(std::string_view message) { Logger::instance().error(message); }

}  // namespace quor
