#include "day_command.h"

#include "core/day_view.h"
#include "core/event_list_check.h"
#include "core/first_start.h"
#include "core/settings.h"

namespace ormind {
namespace {


std::optional<Day> ParseIsoDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  int parts[3] = {0, 0, 0};
  const size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      parts[p] = parts[p] * 10 + (text[i] - '0');
    }
  }
  const CivilDate date{parts[0], parts[1], parts[2]};
  if (date.year < 1 || !IsValidDate(date)) return std::nullopt;
  return DayFromDate(date);
}

class FixedClock final : public Clock {
 public:
  explicit FixedClock(Day today) : today_(today) {}
  Day Today() const override { return today_; }

 private:
  Day today_;
};

// Message boxes become lines on standard error.
class ErrorLines final : public MessageSink {
 public:
  explicit ErrorLines(std::string& err) : err_(err) {}
  void ShowMessage(const std::string& text) override {
    std::string line = text;
    for (char& c : line)
      if (c == '\n' || c == '\r') c = ' ';
    err_ += line + "\n";
  }

 private:
  std::string& err_;
};

class CapturedView final : public DayViewTarget {
 public:
  void SetHeading(const std::string& text) override { heading = text; }
  void SetBlock(const std::string& text) override { block = text; }
  void ResetButtons() override { complete = true; }
  std::string heading, block;
  bool complete = false;
};

// The skipped lines on standard output, one each; the list is read as the day view reads it.
void CheckEventList(const Settings& settings, const InterfaceTexts& texts, const FileSystem& files,
                    MessageSink& messages, DayCommandOutput& output) {
  output.status = 1;
  if (!files.IsRegularFile(settings.EventsPath))
    return messages.ShowMessage(texts.DataFileMissing(settings.EventsPath));
  EventListChecker checker(settings.AnsiCodePage);
  if (!files.ReadPieces(settings.EventsPath, [&](std::string_view piece) { checker.Feed(piece); }))
    return messages.ShowMessage(texts.DataError(settings.EventsPath));
  const std::vector<SkippedLine> skipped = checker.Finish();
  // A line that decodes but names no real day (month 13) is listed, yet counts as read.
  output.status = 0;
  for (const SkippedLine& line : skipped) {
    output.out += FormatSkippedLine(line) + "\n";
    if (line.reason != SkipReason::NeverFalls) output.status = 1;
  }
}

}  // namespace

const char kDayCommandUsage[] =
    "usage: ormind-day [--date YYYY-MM-DD] [--today YYYY-MM-DD]\n"
    "       ormind-day --check";

std::optional<DayCommandOptions> ParseDayCommand(const std::vector<std::string>& args) {
  DayCommandOptions options;
  if (args.size() == 1 && args[0] == "--check") {
    options.check = true;
    return options;
  }
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    std::optional<Day>* slot = args[i] == "--date"    ? &options.date
                               : args[i] == "--today" ? &options.today
                                                      : nullptr;
    if (!slot || slot->has_value()) return std::nullopt;
    *slot = ParseIsoDate(args[i + 1]);
    if (!*slot) return std::nullopt;
  }
  return options;
}

DayCommandOutput RunDayCommand(const DayCommandOptions& options, const Environment& env,
                               const Clock& clock, FileSystem& files) {
  DayCommandOutput output;
  ErrorLines messages(output.err);
  const FixedClock today(options.today.value_or(clock.Today()));
  CopySampleAtFirstStart(env, files);  // as the program does at a user's first start
  const Settings settings = LoadSettings(env, files, messages);
  const InterfaceTexts texts(settings.Lang);
  if (options.check) {
    CheckEventList(settings, texts, files, messages, output);
    return output;
  }
  CapturedView view;
  ShowDay(options.date.value_or(today.Today()), settings, texts, today, files, messages, view);
  if (!view.complete) {
    output.status = 1;
    return output;
  }
  output.out = view.heading + "\n" + view.block + "\n";
  return output;
}

}  // namespace ormind
