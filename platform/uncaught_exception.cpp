// What a windowed program does with an exception that nothing caught: it shows the exception
// through the error funnel (a message box titled "Ormind!") and ends, instead of the C++
// runtime's default, which writes the exception's demangled type name to a standard error
// stream the program does not have. Defining the runtime's default handler here, in an object
// linked straight into the program, replaces it and also keeps the runtime's type-name
// demangler out of the program.
#include <cstdlib>
#include <exception>

#include "platform/handler_errors.h"

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  if (const std::exception_ptr pending = std::current_exception()) {
    try {
      std::rethrow_exception(pending);
    } catch (...) {
      ormind::ReportHandlerError();
    }
  }
  std::abort();
}

}  // namespace __gnu_cxx
