#pragma once
// The commands of ormind-report, a tool for people who keep saved report files.
#include <ostream>
#include <string>
#include <vector>

namespace ormind {

// Runs one command line (without the program name); returns the exit status: 0 done,
// 1 failed (one line on `err`), 2 usage error.
int RunReportTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ormind
