#pragma once
// ormind-day [--date YYYY-MM-DD] [--today YYYY-MM-DD]: loads the settings as the program does
// at start, builds the day view without a window and prints the heading and the block.
// ormind-day --check: lists the lines of the event list that the day view passes over.
#include <optional>
#include <string>
#include <vector>

#include "base/day.h"
#include "base/environment.h"

namespace ormind {

struct DayCommandOptions {
  std::optional<Day> date;   // the day shown; default today
  std::optional<Day> today;  // the system's current date; default the clock
  bool check = false;        // --check, alone
};

// nullopt on bad arguments.
std::optional<DayCommandOptions> ParseDayCommand(const std::vector<std::string>& args);

struct DayCommandOutput {
  std::string out;  // what goes to standard output
  std::string err;  // messages, one line each
  // 0 shown (--check: no line skipped), 1 the list is missing or unreadable (--check: or a
  // line is skipped), 2 bad arguments
  int status = 0;
};

DayCommandOutput RunDayCommand(const DayCommandOptions& options, const Environment& env,
                               const Clock& clock, FileSystem& files);

extern const char kDayCommandUsage[];

}  // namespace ormind
