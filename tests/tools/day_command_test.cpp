#include "day_command.h"

#include <gtest/gtest.h>

#include "../core/fakes.h"

namespace ormind {
namespace {

using testing::FakeClock;
using testing::FakeEnvironment;
using testing::FakeFileSystem;

TEST(DayCommand, ParsesItsTwoOptions) {
  const struct {
    std::vector<std::string> args;
    bool ok;
    std::optional<Day> date, today;
  } cases[] = {
      {{}, true, std::nullopt, std::nullopt},
      {{"--date", "2006-12-07"}, true, DayFromDate({2006, 12, 7}), std::nullopt},
      {{"--today", "2024-02-29", "--date", "2000-01-01"}, true, DayFromDate({2000, 1, 1}),
       DayFromDate({2024, 2, 29})},
      {{"--date"}, false, {}, {}},
      {{"--date", "2023-02-29"}, false, {}, {}},
      {{"--date", "2006-12-7"}, false, {}, {}},
      {{"--date", "07.12.2006"}, false, {}, {}},
      {{"--date", "2006-12-07", "--date", "2006-12-08"}, false, {}, {}},
      {{"--when", "2006-12-07"}, false, {}, {}},
      {{"2006-12-07"}, false, {}, {}},
      {{"--check", "--date", "2006-12-07"}, false, {}, {}},
      {{"--check", "--check"}, false, {}, {}},
  };
  for (const auto& c : cases) {
    const auto options = ParseDayCommand(c.args);
    ASSERT_EQ(options.has_value(), c.ok) << ::testing::PrintToString(c.args);
    if (options) {
      EXPECT_EQ(options->date, c.date);
      EXPECT_EQ(options->today, c.today);
    }
  }
}

class RunDayCommandTest : public ::testing::Test {
 protected:
  RunDayCommandTest() {
    env.appData = "/h";
    folder = "/h" + std::string(kSep) + "Ormind";
    fs.folders.insert(folder);
  }
#ifdef _WIN32
  static constexpr const char* kSep = "\\";
#else
  static constexpr const char* kSep = "/";
#endif
  std::string folder;
  FakeEnvironment env;
  FakeClock clock{DayFromDate({2006, 12, 7})};
  FakeFileSystem fs;
};

TEST_F(RunDayCommandTest, PrintsHeadingAndBlockAfterLoadingSettings) {
  fs.files[folder + kSep + "events.txt"] = "[Birthday]\nIvan=08.12.1976\n";
  DayCommandOptions options;
  options.today = DayFromDate({2006, 12, 8});
  const DayCommandOutput out = RunDayCommand(options, env, clock, fs);
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(out.err, "");
  EXPECT_EQ(out.out, "Today, 08.12.2006\nIs the birthday: \nIvan (30!)\n\nNo events.\n\n");
  EXPECT_TRUE(fs.files.count(folder + kSep + "settings.ini"));
}

TEST_F(RunDayCommandTest, AConfigurationErrorDoesNotStopIt) {
  fs.files[folder + kSep + "events.txt"] = "";
  fs.files[folder + kSep + "settings.ini"] = "[settings]\nDaysBefore=1\n";
  fs.readOnly.insert(folder + kSep + "settings.ini");
  env.locale = 1049;
  DayCommandOptions options;
  options.date = DayFromDate({2006, 12, 9});
  const DayCommandOutput out = RunDayCommand(options, env, clock, fs);
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(out.err, "Ошибка загрузки файла конфигурации\n");
  EXPECT_EQ(out.out, "09.12.2006\nДней рождения нет.\nПамятных событий нет.\n\n");
}

TEST_F(RunDayCommandTest, CheckListsSkippedLinesAndFailsWhenThereAreAny) {
  const std::string events = folder + kSep + "events.txt";
  const struct {
    bool exists;
    std::string file;
    int status;
    std::string out, err;
  } cases[] = {
      {true, "[Birthday]\nIvan=08.12.1976\n", 0, "", ""},
      {true, "[Events]\nX=01.13\n", 0, "2 [Events] never falls on any day (day or month out of range): X=01.13\n", ""},
      {true, "[Birthday]\nIvan=8.12.1976\nOlga\n", 1,
       "2 [Birthday] the date does not decode (dd.mm.yyyy or dd.mm, two digits for day and "
       "month): Ivan=8.12.1976\n3 [Birthday] no \"=\": Olga\n",
       ""},
      {false, "", 1, "", "Error loading data. File " + events + " not found\n"},
  };
  DayCommandOptions options;
  options.check = true;
  for (const auto& c : cases) {
    fs.files.erase(events);
    if (c.exists) fs.files[events] = c.file;
    const DayCommandOutput out = RunDayCommand(options, env, clock, fs);
    EXPECT_EQ(out.status, c.status) << c.file;
    EXPECT_EQ(out.out, c.out);
    EXPECT_EQ(out.err, c.err);
  }
}

TEST_F(RunDayCommandTest, NothingOnStandardOutputWhenTheViewCannotBeBuilt) {
  DayCommandOutput out = RunDayCommand({}, env, clock, fs);
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.out, "");
  EXPECT_EQ(out.err, "Error loading data. File " + folder + kSep + "events.txt not found\n");

  fs.files[folder + kSep + "events.txt"] = "[Birthday]\n";
  fs.unreadable.insert(folder + kSep + "events.txt");
  out = RunDayCommand({}, env, clock, fs);
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.out, "");
  EXPECT_EQ(out.err, "Error loading data. Check the contents of the file " + folder + kSep +
                         "events.txt\n");
}

}  // namespace
}  // namespace ormind
