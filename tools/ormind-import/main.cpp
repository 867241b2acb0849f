// ormind-import: birthdays from address-book cards and birthday calendars into the event list.
#include <string>
#include <vector>

#include "import_command.h"
#include "platform/console_output.h"
#include "platform/system_services.h"


namespace {

int Run(const std::vector<std::string>& args) {
  using namespace ormind;
  const std::optional<ImportOptions> options = ParseImportCommand(args);
  if (!options) {
    WriteText(Stream::Err, std::string(kImportCommandUsage) + "\n");
    return 2;
  }
  SystemEnvironment env;
  SystemFileSystem files;
  const ImportOutput output = RunImportCommand(*options, env, files);
  if (!output.err.empty()) WriteText(Stream::Err, output.err);
  if (!output.out.empty()) WriteText(Stream::Out, output.out);
  return output.status;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run(ormind::Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
