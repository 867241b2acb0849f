#include "core/day_notification.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/text_codec.h"
#include "base/utf16_units.h"

namespace ormind {
namespace {

Day D(int y, int m, int d) { return DayFromDate({y, m, d}); }

std::optional<DayNotification> Notify(const std::string& list, Day day, Day today, int32_t lang) {
  const InterfaceTexts texts(lang);
  return ComposeDayNotification(
      ComposeDayView(day, today, 3, Feb29Rule::Feb28, texts, list, 1251), texts);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(DayNotification, TellsTheDayAsTheDayViewWritesIt) {
  const std::string list =
      "[Birthday]\nIvan=07.12.1976\nOlga=08.12.1980\nАнна=07.12.2000\n[Events]\n"
      "Wedding=07.12.2001\nСвадьба=07.12\n[Nameday]\nPyotr=07.12\n";
  const struct {
    const char* name;
    std::string list;
    Day day;
    int32_t lang;
    std::optional<DayNotification> expected;
  } cases[] = {
      {"every section, English", list, D(2006, 12, 7), 1033,
       DayNotification{"Today, 07.12.2006",
                       "Is the birthday:\nIvan (30!)\nАнна (6)\nOther events:\nWedding (5!)\n"
                       "Свадьба\nName-day:\nPyotr"}},
      {"every section, Russian", list, D(2006, 12, 7), 1049,
       DayNotification{"Сегодня, 07.12.2006",
                       "День рождения празднуют:\nIvan (30!)\nАнна (6)\nПрочие события:\n"
                       "Wedding (5!)\nСвадьба\nИменины:\nPyotr"}},
      {"only what falls on the day, not the days after", list, D(2006, 12, 8), 1033,
       DayNotification{"08.12.2006", "Is the birthday:\nOlga (26)"}},
      {"a name-day alone is worth telling", "[Nameday]\nPyotr=09.12\n", D(2006, 12, 9), 1049,
       DayNotification{"09.12.2006", "Именины:\nPyotr"}},
      {"nothing on the day, something the next day", list, D(2006, 12, 6), 1033, std::nullopt},
      {"an empty list", "", D(2006, 12, 7), 1049, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto got = Notify(c.list, c.day, D(2006, 12, 7), c.lang);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
    if (!got) continue;
    EXPECT_EQ(got->title, c.expected->title) << c.name;
    EXPECT_EQ(got->text, c.expected->text) << c.name;
  }
}

// Entry lines of `units` UTF-16 units each, made of `piece` (one character).
std::vector<NotificationLine> Section(const std::string& caption, int entries,
                                      const std::string& piece, int units) {
  std::vector<NotificationLine> lines{{caption, false}};
  const int pieceUnits = static_cast<int>(Utf16UnitCount(piece));
  for (int i = 0; i < entries; ++i) {
    std::string line = std::to_string(i % 10);
    while (static_cast<int>(Utf16UnitCount(line)) + pieceUnits <= units) line += piece;
    lines.push_back({line, true});
  }
  return lines;
}

std::vector<NotificationLine> Joined(std::vector<NotificationLine> first,
                                     const std::vector<NotificationLine>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

std::string JoinedText(const std::vector<NotificationLine>& lines, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += (i ? "\n" : "") + lines[i].text;
  return text;
}

TEST(DayNotification, CutsBetweenLinesAndCountsTheRest) {
  const InterfaceTexts en(1033), ru(1049);
  const std::string cyrillic = "Ж", clef = "\xF0\x9D\x84\x9E";  // 1 unit; 2 units
  // Entry lines of 20 units: "B:" and three entries take 2 + 3 x 21 = 65 units.
  const struct {
    const char* name;
    std::vector<NotificationLine> lines;
    const InterfaceTexts& texts;
    size_t limit;
    size_t kept;  // whole lines shown
    int rest;     // entries named in the last line; 0: no such line
  } cases[] = {
      {"exactly the limit", Section("B:", 3, "a", 20), en, 65, 4, 0},
      {"one unit short: the last entry goes", Section("B:", 3, "a", 20), en, 64, 3, 1},
      {"the count's line needs its room too", Section("B:", 3, "a", 20), en, 36, 2, 2},
      {"Russian count", Section("Д:", 3, cyrillic, 20), ru, 40, 2, 2},
      {"characters are counted, not bytes", Section("Д:", 3, cyrillic, 20), ru, 65, 4, 0},
      {"a pair counts as two units", Section("B:", 2, clef, 20), en, 41, 2, 1},
      {"no caption left hanging",
       Joined(Section("B:", 1, "a", 20), Section("E:", 1, "b", 20)), en, 46, 2, 1},
      {"a second section whole", Joined(Section("B:", 1, "a", 20), Section("E:", 2, "b", 20)),
       en, 100, 5, 0},
  };
  for (const auto& c : cases) {
    const std::string expected =
        JoinedText(c.lines, c.kept) + (c.rest ? "\n" + c.texts.MoreEntries(c.rest) : "");
    EXPECT_EQ(FitNotificationLines(c.lines, c.texts, c.limit), expected) << c.name;
  }
}

TEST(DayNotification, AFirstEntryTooLongIsCutAtACharacter) {
  const InterfaceTexts en(1033);
  const std::string clef = "\xF0\x9D\x84\x9E";
  const struct {
    const char* name;
    std::vector<NotificationLine> lines;
    size_t limit;
    std::string expected;
  } cases[] = {
      {"alone", Section("B:", 1, "a", 40), 20, "B:\n0aaaaaaaaaaaaaaa…"},
      {"the rest still counted", Section("B:", 3, "a", 40), 30,
       "B:\n0aaaaaaaaaaaa…\n… and 2 more"},
      {"a pair is never split", Section("B:", 1, clef, 11), 8, "B:\n0" + clef + "…"},
      {"no room even for the count", Section("B:", 3, "a", 40), 10, "B:\n0aaaaa…"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitNotificationLines(c.lines, en, c.limit), c.expected) << c.name;
  EXPECT_EQ(CutWithEllipsis("Today, 07.12.2006", 63), "Today, 07.12.2006");
  EXPECT_EQ(CutWithEllipsis("Сегодня, 07.12.2006", 10), "Сегодня, …");
}

// Whatever the names, the text fits, is valid UTF-8, shows whole lines only and counts exactly
// the entries it leaves out.
TEST(DayNotification, EveryCutHoldsWholeLinesAndTheRightCount) {
  const InterfaceTexts en(1033);
  const std::string pieces[] = {"a", "Ж", "\xE2\x82\xAC", "\xF0\x9F\x8E\x82"};
  for (const std::string& piece : pieces) {
    for (int entries = 1; entries <= 40; entries += 3) {
      for (int width = 3; width <= 70; width += 11) {
        auto lines = Section("Is the birthday:", entries, piece, width);
        auto events = Section("Other events:", entries / 2, piece, width + 3);
        lines.insert(lines.end(), events.begin(), events.end());
        const std::string text = FitNotificationLines(lines, en, kNotificationTextUnits);
        const std::string where = piece + " x" + std::to_string(entries) + " w" +
                                  std::to_string(width);
        ASSERT_LE(Utf16UnitCount(text), kNotificationTextUnits) << where;
        ASSERT_TRUE(IsValidUtf8(text)) << where;
        const std::vector<std::string> got = Lines(text);
        size_t shownEntries = 0, i = 0;
        for (; i < got.size() && i < lines.size() && got[i] == lines[i].text; ++i)
          shownEntries += lines[i].entry ? 1 : 0;
        const size_t total = entries + entries / 2;
        if (shownEntries == total) {
          EXPECT_EQ(i, got.size()) << where;
          continue;
        }
        ASSERT_EQ(i + 1, got.size()) << where << "\n" << text;
        EXPECT_TRUE(lines[i - 1].entry) << where;
        EXPECT_EQ(got.back(), en.MoreEntries(static_cast<int>(total - shownEntries))) << where;
      }
    }
  }
}

TEST(DayNotification, TooltipNamesTheBirthdaysInTheRightForm) {
  const struct {
    int count;
    int32_t lang;
    const char* expected;
  } cases[] = {
      {0, 1033, ""},
      {1, 1033, "Ormind — 1 birthday today"},
      {2, 1033, "Ormind — 2 birthdays today"},
      {21, 1033, "Ormind — 21 birthdays today"},
      {0, 1049, ""},
      {1, 1049, "Ormind — сегодня 1 день рождения"},
      {2, 1049, "Ormind — сегодня 2 дня рождения"},
      {4, 1049, "Ormind — сегодня 4 дня рождения"},
      {5, 1049, "Ormind — сегодня 5 дней рождения"},
      {11, 1049, "Ormind — сегодня 11 дней рождения"},
      {12, 1049, "Ormind — сегодня 12 дней рождения"},
      {14, 1049, "Ormind — сегодня 14 дней рождения"},
      {21, 1049, "Ormind — сегодня 21 день рождения"},
      {22, 1049, "Ormind — сегодня 22 дня рождения"},
      {111, 1049, "Ormind — сегодня 111 дней рождения"},
      {112, 1049, "Ormind — сегодня 112 дней рождения"},
      {123, 1049, "Ormind — сегодня 123 дня рождения"},
  };
  for (const auto& c : cases) {
    DayShownLines shown;
    shown.birthdays.assign(c.count, "x");
    shown.events = {"an event is no birthday"};
    EXPECT_EQ(DayTooltip(shown, InterfaceTexts(c.lang)), c.expected) << c.count << " " << c.lang;
  }
}

}  // namespace
}  // namespace ormind
