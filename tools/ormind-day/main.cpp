// ormind-day: prints the day view the main window would show at start.
#include <string>
#include <vector>

#include "platform/console_output.h"
#include "day_command.h"
#include "platform/system_services.h"

int main(int argc, char** argv) {
  using namespace ormind;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::optional<DayCommandOptions> options = ParseDayCommand(args);
  if (!options) {
    WriteText(Stream::Err, std::string(kDayCommandUsage) + "\n");
    return 2;
  }
  SystemEnvironment env;
  SystemClock clock;
  SystemFileSystem files;
  const DayCommandOutput output = RunDayCommand(*options, env, clock, files);
  if (!output.err.empty()) WriteText(Stream::Err, output.err);
  if (!output.out.empty()) WriteText(Stream::Out, output.out);
  return output.status;
}
