// ormind-report: inspect saved report files, cut pages out of them, and pack pictures into one.
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/ormind-report/report_tool.h"

#ifdef _WIN32
#include "platform/console_output.h"

// Arguments arrive as UTF-16 and are passed on as UTF-8, so any file name works. What the tool
// says goes out through the console's own text call, where UTF-8 through the C++ streams would
// show garbage.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u8string utf8 = std::filesystem::path(argv[i]).u8string();
    args.emplace_back(utf8.begin(), utf8.end());
  }
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
