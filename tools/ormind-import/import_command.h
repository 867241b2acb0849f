#pragma once
// ormind-import FILE... [--into EVENTS]: the birthdays and anniversaries of address-book cards
// and birthday calendars as event-list lines, or added to an event list.
#include <optional>
#include <string>
#include <vector>

#include "base/environment.h"

namespace ormind {

struct ImportOptions {
  std::vector<std::string> files;
  std::optional<std::string> into;  // the event list to add to
};

// nullopt on bad arguments: no file, an unknown option, --into without a path or twice.
std::optional<ImportOptions> ParseImportCommand(const std::vector<std::string>& args);

struct ImportOutput {
  std::string out;  // the entries (or, with --into, what was done)
  std::string err;  // what was skipped or changed, one line each
  int status = 0;   // 0 something was read, 1 nothing was (or the list was not written), 2 usage
};

// Files larger than this are refused before they are read.
inline constexpr size_t kMaxContactFileBytes = 64u << 20;

ImportOutput RunImportCommand(const ImportOptions& options, const Environment& env,
                              FileSystem& files);

extern const char kImportCommandUsage[];

}  // namespace ormind
