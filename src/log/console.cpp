#include "log/console.h"

#include <iostream>

namespace nodara {

Console::Console() : Console(std::cout, std::cerr) {}

Console::Console(std::ostream& out, std::ostream& err)
    : out_(&out), err_(&err) {}

void Console::printLine(std::string_view line) { *out_ << line << '\n'; }

void Console::flush() { out_->flush(); }

void Console::printError(std::string_view line) {
  *err_ << line << '\n';
  err_->flush();
}

}  // namespace nodara
