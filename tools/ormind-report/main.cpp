// ormind-report: inspect saved report files, cut pages out of them, and pack pictures into one.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/ormind-report/report_tool.h"

#ifdef _WIN32
#include "platform/console_output.h"

// What the tool says goes out through the console's own text call, where UTF-8 through the C++
// streams would show garbage.
int wmain(int argc, wchar_t** argv) {
  const std::vector<std::string> args = ormind::Utf8Arguments(argc, argv);
  std::ostringstream out, err;
  const int status = ormind::RunReportTool(args, out, err);
  ormind::WriteText(ormind::Stream::Out, out.str());
  ormind::WriteText(ormind::Stream::Err, err.str());
  return status;
}
#else
int main(int argc, char** argv) {
  return ormind::RunReportTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
#endif
