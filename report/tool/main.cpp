// ormind-report: inspect saved report files, cut pages out of them, and pack pictures into one.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "report/tool/report_tool.h"

#ifdef _WIN32
// Arguments arrive as UTF-16 and are passed on as UTF-8, so any file name works.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u8string utf8 = std::filesystem::path(argv[i]).u8string();
    args.emplace_back(utf8.begin(), utf8.end());
  }
  return ormind::RunReportTool(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  return ormind::RunReportTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
#endif
