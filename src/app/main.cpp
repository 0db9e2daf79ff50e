// Entry point of nodara-config.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "log/console.h"

int main(int argc, char** argv) {
  try {
    nodara::Console console;
    const std::vector<std::string> words(argv, argv + argc);
    return nodara::runFrontEnd(words, console) ? EXIT_SUCCESS : EXIT_FAILURE;
  } catch (const std::exception& e) {
    std::cerr << "内部错误: " << e.what() << std::endl;
    return EXIT_FAILURE;
  }
}
