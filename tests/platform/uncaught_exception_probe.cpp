// Throws an exception nothing catches, of the kind named on the command line, with the error
// funnel writing what it is given to the standard output: the test reads there whether the
// program's handler of uncaught exceptions showed the exception before the program ended.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/handler_errors.h"

int main(int argc, char** argv) {
  ormind::SetErrorReporter([](const std::string& message) {
    std::printf("reported: %s\n", message.c_str());
    std::fflush(stdout);
  });
  const std::string_view kind = argc > 1 ? argv[1] : "";
  if (kind == "runtime_error") throw std::runtime_error("the event list is damaged");
  if (kind == "not_an_exception_class") throw 42;
  std::printf("unknown kind\n");
  return 0;
}
