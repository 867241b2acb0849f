#include "core/day_view.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace ormind {
namespace {

using testing::FakeClock;
using testing::FakeFileSystem;
using testing::RecordingMessages;
using testing::RecordingTarget;

Day D(int y, int m, int d) { return DayFromDate({y, m, d}); }

class ShowDayTest : public ::testing::Test {
 protected:
  ShowDayTest() {
    settings.EventsPath = "/data/Ormind/my events.txt";
    settings.DaysBefore = 3;
  }
  void Show(Day day, int32_t lang = 1033) {
    const InterfaceTexts texts(lang);
    ShowDay(day, settings, texts, clock, fs, messages, target);
  }
  void SetEvents(const std::string& text) { fs.files[settings.EventsPath] = text; }

  Settings settings;
  FakeClock clock{D(2006, 12, 7)};
  FakeFileSystem fs;
  RecordingMessages messages;
  RecordingTarget target;
};

TEST_F(ShowDayTest, BuildsTheHeadingAndTheBlock) {
  const char* const example =
      "[Birthday]\nIvan=07.12.1976\nOlga=08.12.1980\n[Events]\nWedding=07.12.2001\n"
      "[Nameday]\nPyotr=07.12\n";
  const struct {
    const char* file;
    Day day;
    int32_t daysBefore;
    const char* heading;
    const char* block;
  } cases[] = {
      {example, D(2006, 12, 7), 3, "Today, 07.12.2006",
       "Is the birthday: \nIvan (30!)\n\nOther events: \nWedding (5!)\n\nName-day: \nPyotr\n"
       "\n08.12: Olga (26)"},
      {"", D(2006, 12, 7), 3, "Today, 07.12.2006", "No birthdays.\nNo events.\n"},
      {example, D(2006, 12, 8), 0, "08.12.2006", "Is the birthday: \nOlga (26)\n\nNo events.\n"},
      // no following days: Olga of the next day is not listed
      {example, D(2006, 12, 7), 0, "Today, 07.12.2006",
       "Is the birthday: \nIvan (30!)\n\nOther events: \nWedding (5!)\n\nName-day: \nPyotr\n"},
      // two birthdays in file order, each line its own entry even with the same name
      {"[Birthday]\nAnna=01.05.2000\nAnna=01.05.1990\n", D(2020, 5, 1), 0, "01.05.2020",
       "Is the birthday: \nAnna (20!)\nAnna (30!)\n\nNo events.\n"},
      // file order kept when one value has a non-ASCII separator
      {"[Birthday]\nA=01\u00B705\u00B72000\nB=01.05.1990\n", D(2020, 5, 1), 0, "01.05.2020",
       "Is the birthday: \nA (20!)\nB (30!)\n\nNo events.\n"},
      // UTF-8 with a mark and stray bytes: shown replaced, positions still by character
      {"\xEF\xBB\xBF[Birthday]\nIv\xE0n=01\xB7" "05\xB7" "2000\n", D(2020, 5, 1), 0,
       "01.05.2020", "Is the birthday: \nIv\uFFFDn (20!)\n\nNo events.\n"},
      // only events; an event without a year has no age
      {"[Events]\nA=01.05\nB=01.05.2019\n", D(2020, 5, 1), -1, "01.05.2020",
       "No birthdays.\n\nOther events: \nA\nB (1)\n"},
      // a repeated section contributes its lines in file order
      {"[Events]\nA=01.05\n[Birthday]\nX=02.05.2000\n[events]\nB=01.05\n", D(2020, 5, 1), 1,
       "01.05.2020", "No birthdays.\n\nOther events: \nA\nB\n\n02.05: X (20!)"},
      // following days cross the year, ages for the new year
      {"[Birthday]\nNew=01.01.2000\n[Events]\nParty=31.12.2010\n[Nameday]\nN=01.01\n",
       D(2019, 12, 30), 3, "30.12.2019",
       "No birthdays.\nNo events.\n\n31.12: Party (9)\n01.01: New (20!)"},
      // lines that only look like plain entries: a header followed by "=", a blank before
      // the name or the date, a quoted date, a comment
      {"[Birthday]\n[Events] x=01.01\nE=07.12\n[Birthday]\n Lead=07.12.2000\nSp= 07.12.2001\n"
       "Q=\"07.12.1990\"\n;C=07.12.2000\n",
       D(2006, 12, 7), 0, "Today, 07.12.2006",
       "Is the birthday: \nLead (6)\nSp (5!)\nQ (16)\n\nOther events: \nE\n"},
      // an age not above 0 is not shown; bad lines are skipped
      {"[Birthday]\nBaby=07.12.2006\nFuture=07.12.2010\nBad=7.12.1970\nEmpty=\n", D(2006, 12, 7), 0,
       "Today, 07.12.2006", "Is the birthday: \nBaby\nFuture\n\nNo events.\n"},
  };
  for (const auto& c : cases) {
    SetEvents(c.file);
    settings.DaysBefore = c.daysBefore;
    target = RecordingTarget();
    Show(c.day);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(target.heading, c.heading) << c.file;
    EXPECT_EQ(target.block, c.block) << c.file;
    EXPECT_EQ(target.resets, 1);
  }
}

TEST_F(ShowDayTest, TwentyNinthOfFebruaryFallsOnTheDayTheRuleGives) {
  SetEvents("[Birthday]\nFeb28=28.02.1990\nLeap=29.02.1960\n[Events]\nLeapDay=29.02\n"
            "[Nameday]\nKasyan=29.02\n[Birthday]\nMar1=01.03.00\n");
  const std::string on28 = "Is the birthday: \nFeb28 (37)\nLeap (67)\n\nOther events: \nLeapDay"
                           "\n\nName-day: \nKasyan\n";
  const std::string nothing = "No birthdays.\nNo events.\n";
  const struct {
    Feb29Rule rule;
    Day day;
    int32_t daysBefore;
    std::string block;
  } cases[] = {
      {Feb29Rule::Feb28, D(2027, 2, 28), 0, on28},
      {Feb29Rule::Feb28, D(2027, 3, 1), 0, "Is the birthday: \nMar1 (27)\n\nNo events.\n"},
      {Feb29Rule::Feb28, D(2027, 2, 26), 3,
       nothing + "\n28.02: Feb28 (37)\n28.02: Leap (67)\n28.02: LeapDay\n01.03: Mar1 (27)"},
      {Feb29Rule::Feb28, D(2028, 2, 28), 0, "Is the birthday: \nFeb28 (38)\n\nNo events.\n"},
      {Feb29Rule::Feb28, D(2028, 2, 27), 2,
       nothing + "\n28.02: Feb28 (38)\n29.02: Leap (68)\n29.02: LeapDay"},
      {Feb29Rule::Feb28, D(2100, 2, 28), 0,
       "Is the birthday: \nFeb28 (110!)\nLeap (140!)\n\nOther events: \nLeapDay\n\n"
       "Name-day: \nKasyan\n"},
      {Feb29Rule::Feb28, D(2000, 2, 29), 0,
       "Is the birthday: \nLeap (40!)\n\nOther events: \nLeapDay\n\nName-day: \nKasyan\n"},
      {Feb29Rule::Mar1, D(2027, 2, 28), 0, "Is the birthday: \nFeb28 (37)\n\nNo events.\n"},
      {Feb29Rule::Mar1, D(2027, 2, 27), 2,
       nothing + "\n28.02: Feb28 (37)\n01.03: Leap (67)\n01.03: Mar1 (27)\n01.03: LeapDay"},
      {Feb29Rule::Mar1, D(2028, 3, 1), 0, "Is the birthday: \nMar1 (28)\n\nNo events.\n"},
      {Feb29Rule::LeapYearsOnly, D(2027, 2, 27), 2, nothing + "\n28.02: Feb28 (37)\n01.03: Mar1 (27)"},
      {Feb29Rule::LeapYearsOnly, D(2028, 2, 29), 0,
       "Is the birthday: \nLeap (68)\n\nOther events: \nLeapDay\n\nName-day: \nKasyan\n"},
  };
  for (const auto& c : cases) {
    settings.Feb29 = c.rule;
    settings.DaysBefore = c.daysBefore;
    Show(c.day);
    EXPECT_EQ(target.block, c.block) << static_cast<int>(c.rule) << " " << target.heading;
  }
}

TEST_F(ShowDayTest, RussianTexts) {
  SetEvents("[Birthday]\nИван=07.12.1976\n[Nameday]\nПётр=07.12\n");
  Show(D(2006, 12, 7), 1049);
  EXPECT_EQ(target.heading, "Сегодня, 07.12.2006");
  EXPECT_EQ(target.block,
            "День рождения празднуют: \nИван (30!)\n\nПамятных событий нет.\n\nИменины: \nПётр\n");
}

TEST_F(ShowDayTest, DaysBeforeIsCappedAtOneYearAndADay) {
  SetEvents("[Birthday]\nA=08.12.2000\n");
  settings.DaysBefore = 1000000000;
  Show(D(2006, 12, 7));
  // 366 following days reach 08.12.2007 once (2007 is not a leap year... 2008 is not reached).
  EXPECT_EQ(target.block, "No birthdays.\nNo events.\n\n08.12: A (6)\n08.12: A (7)");
}

TEST_F(ShowDayTest, WithoutTheListTheHeadingStillNamesTheDayAndTheBlockTheProblem) {
  SetEvents("[Birthday]\nA=07.12.2000\n");
  fs.unreadable.insert(settings.EventsPath);
  const struct {
    bool exists;
    Day day;
    int32_t lang;
    std::string heading, message;
  } cases[] = {
      {false, D(2006, 12, 7), 1033, "Today, 07.12.2006",
       "Error loading data. File /data/Ormind/my events.txt not found"},
      {false, D(2006, 12, 8), 1049, "08.12.2006",
       "Ошибка загрузки данных. Файл /data/Ormind/my events.txt не найден"},
      {true, D(2006, 12, 7), 1049, "Сегодня, 07.12.2006",
       "Ошибка загрузки данных. Проверьте содержимое файла /data/Ormind/my events.txt"},
  };
  for (const auto& c : cases) {
    if (!c.exists) fs.files.erase(settings.EventsPath);
    target = RecordingTarget();
    messages.shown.clear();
    Show(c.day, c.lang);
    EXPECT_EQ(target.heading, c.heading);
    EXPECT_EQ(target.block, c.message);
    EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
    EXPECT_EQ(target.resets, 0);
    SetEvents("[Birthday]\nA=07.12.2000\n");
  }
}

TEST_F(ShowDayTest, ReadsEveryEncodingAndRereadsAtEveryCall) {
  const std::string utf8 = "[Birthday]\nИван=07.12.1976\n";
  const std::string expected = "Is the birthday: \nИван (30!)\n\nNo events.\n";
  settings.DaysBefore = 0;
  settings.AnsiCodePage = 1251;
  const std::string files[] = {
      utf8,
      "\xEF\xBB\xBF" + utf8,
      "[Birthday]\n\xC8\xE2\xE0\xED=07.12.1976\n",
      std::string("\xFF\xFE[\0B\0i\0r\0t\0h\0d\0a\0y\0]\0\n\0\x18\x04\x32\x04\x30\x04\x3D\x04="
                  "\0000\0007\0.\0001\0002\0.\0001\0009\0007\0006\0\n\0", 56),
  };
  for (const std::string& file : files) {
    SetEvents(file);
    Show(D(2006, 12, 7));
    EXPECT_EQ(target.block, expected);
  }
  SetEvents("");
  Show(D(2006, 12, 7));
  EXPECT_EQ(target.block, "No birthdays.\nNo events.\n");
}

}  // namespace
}  // namespace ormind
