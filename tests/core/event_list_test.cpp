#include "core/event_list.h"
#include "core/event_list_reader.h"
#include "core/line_index.h"

#include <gtest/gtest.h>

#include "base/cpu_features.h"

namespace ormind {
namespace {

constexpr auto B = EventSection::Birthday;
constexpr auto E = EventSection::Events;
constexpr auto N = EventSection::Nameday;

TEST(EventList, MatchesByDayAndMonthWithTheAgeOfTheYearShown) {
  const struct {
    const char* value;
    EventSection section;
    CivilDate date;
    bool falls;
    int32_t age;
  } cases[] = {
      {"05.03.1970", B, {2007, 3, 5}, true, 37},
      {"05.03.1970", B, {2020, 3, 5}, true, 50},
      {"05.03.1970", B, {2020, 3, 6}, false, 50},
      {"05.03.2010", B, {2010, 3, 5}, true, 0},
      {"05.03.2010", B, {2009, 3, 5}, true, -1},
      {"05.03", B, {2009, 3, 5}, true, 0},          // no year
      {"05.3", B, {2009, 3, 5}, true, 0},           // a month field cut short by the end
      {"05.03.1", B, {2009, 3, 5}, true, 8},        // a one-digit year: 2001
      {"05.03.1", E, {2009, 3, 5}, true, 8},
      {"05.03.19xx", B, {2009, 3, 5}, true, 0},     // year not a number
      {"12.06", E, {2020, 6, 12}, true, 0},
      {"12.06.1990", E, {2020, 6, 12}, true, 30},
      {"12.06.", E, {2020, 6, 12}, true, 0},        // longer than 5, year empty
      {"25.01.1980", N, {2020, 1, 25}, true, 0},    // name-days have no age
      {"5.3.1970", B, {2020, 3, 5}, false, 0},      // one-digit day does not convert
      {"05/03/1970", B, {2020, 3, 5}, true, 50},    // separators are not examined
      {"05- 3-1970", B, {2020, 3, 5}, true, 50},    // a blank before the month digit
      {"$A.03.1970", B, {2020, 3, 10}, true, 50},   // hexadecimal day
      {"32.13.1970", B, {2020, 12, 31}, false, 0},  // never matches
      {"", B, {2020, 3, 5}, false, 0},
      {"29.02.2000", B, {2023, 2, 28}, true, 23},    // in a year without 29.02: the 28th
      {"29.02.2000", B, {2023, 3, 1}, false, 0},
      {"29.02.2000", B, {2024, 2, 29}, true, 24},
      {"29.02.2000", B, {2024, 2, 28}, false, 0},
      // one or two written digits: 1930-2029; four stand as written; 0 is no year
      {"01.05.29", B, {2030, 5, 1}, true, 1},
      {"01.05.30", B, {2030, 5, 1}, true, 100},
      {"01.05.99", B, {2030, 5, 1}, true, 31},
      {"01.05.00", B, {2030, 5, 1}, true, 30},
      {"01.05.7", E, {2030, 5, 1}, true, 23},
      {"01.05. 90", B, {2030, 5, 1}, true, 40},
      {"01.05.0090", B, {2030, 5, 1}, true, 1940},
      {"01.05.0000", B, {2030, 5, 1}, true, 0},
      {"01.05.1990", B, {2030, 5, 1}, true, 40},
  };
  for (const auto& c : cases) {
    const Match m = MatchEntry(c.value, c.section, c.date);
    EXPECT_EQ(m.falls, c.falls) << c.value;
    if (m.falls) {
      EXPECT_EQ(m.age, c.age) << c.value;
    }
  }
}

TEST(EventList, RoundAnniversaries) {
  for (int32_t age : {5, 10, 50, 100}) EXPECT_TRUE(IsRoundAnniversary(age)) << age;
  for (int32_t age : {-5, 0, 1, 4, 26}) EXPECT_FALSE(IsRoundAnniversary(age)) << age;
}

TEST(EventList, FieldsAreCountedInCharactersNotBytes) {
  // "·" and "–" take two and three bytes in UTF-8 but are one character each.
  EXPECT_TRUE(MatchEntry("05\xC2\xB7" "03\xC2\xB7" "1970", B, {2020, 3, 5}).falls);
  EXPECT_EQ(MatchEntry("05\xE2\x80\x93" "03\xE2\x80\x93" "1970", B, {2020, 3, 5}).age, 50);
  EXPECT_EQ(MatchEntry("05.03\xE2\x80\x93", E, {2020, 3, 5}).age, 0);  // six characters, no year
}

struct ReadLine {
  EventSection section;
  std::string name, value;
  uint32_t line;
  bool operator==(const ReadLine&) const = default;
};

struct Recorder {
  std::vector<ReadLine> lines;
  std::vector<std::string> others;
  void Entry(EventSection s, std::string_view n, std::string_view v, uint32_t line) {
    lines.push_back({s, std::string(n), std::string(v), line});
  }
  void Other(OtherLine kind, uint32_t line, std::string_view section, std::string_view text) {
    others.push_back(std::to_string(line) + (kind == OtherLine::NoEquals ? " no = [" : " outside [") +
                     std::string(section) + "] " + std::string(text));
  }
};

Recorder ReadInPieces(const std::string& bytes, size_t pieceSize, int codePage,
                      TextEncoding* encoding = nullptr) {
  Recorder recorder;
  EventListReader reader(codePage, recorder);
  for (size_t at = 0; at < bytes.size(); at += pieceSize)
    reader.Feed(std::string_view(bytes).substr(at, pieceSize));
  reader.Finish();
  for (ReadLine& line : recorder.lines) {
    line.name = reader.ToUtf8(line.name);
    line.value = reader.ToUtf8(line.value);
  }
  if (encoding) *encoding = reader.Encoding();
  return recorder;
}

TEST(EventListReader, EveryLineOfEverySectionInFileOrderWhateverThePieces) {
  const std::string file =
      "; list\r\n[Birthday]\r\nIvan=05.03.1970\r\nIvan=06.03.1980\r\nno equals\r\n"
      "[Other]\r\nx=1\r\n[Nameday]\rN='01.01'\r[BIRTHDAY]\nOlga = 07.03.1990\n\r\n\r"
      "[Events]\nlast=31.12";
  const std::vector<ReadLine> expected = {
      {B, "Ivan", "05.03.1970", 3}, {B, "Ivan", "06.03.1980", 4}, {N, "N", "01.01", 9},
      {B, "Olga", "07.03.1990", 11}, {E, "last", "31.12", 15}};
  const std::vector<std::string> others = {"5 no = [Birthday] no equals", "7 outside [Other] x=1"};
  // Also with the line index's SSE2 or plain loops only.
  for (VectorLoops loops : {VectorLoops::Plain, VectorLoops::Sse2, VectorLoops::Avx2}) {
    LimitVectorLoops(loops);
    for (size_t piece : {1u, 2u, 3u, 7u, 64u, 4096u}) {
      const Recorder read = ReadInPieces(file, piece, 1252);
      EXPECT_EQ(read.lines, expected) << piece << " loops " << static_cast<int>(loops);
      EXPECT_EQ(read.others, others) << piece << " loops " << static_cast<int>(loops);
    }
  }
}

TEST(EventListReader, TellsTheEncodingAfterTheLastPiece) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::string name;
  } cases[] = {
      {"[Birthday]\nA=01.01\n", TextEncoding::Ansi, "A"},
      {"[Birthday]\n\xC8\xE2\xE0\xED=01.01\n", TextEncoding::Ansi, "Иван"},
      {"[Birthday]\nИван=01.01\n", TextEncoding::Utf8, "Иван"},
      // valid UTF-8 first, an 8-bit byte at the very end: the whole file is 8-bit
      {"[Birthday]\nИван=01.01\n; \xE9", TextEncoding::Ansi,
       AnsiToUtf8("Иван", 1251)},
      {"\xEF\xBB\xBF[Birthday]\nИван=01.01", TextEncoding::Utf8Bom, "Иван"},
      {std::string("\xFF\xFE[\0B\0i\0r\0t\0h\0d\0a\0y\0]\0\n\0\x18\x04=\0" "1\0", 28),
       TextEncoding::Utf16Le, "И"},
      {"", TextEncoding::Ansi, ""},
  };
  for (const auto& c : cases) {
    for (size_t piece : {1u, 5u, 1000u}) {
      TextEncoding encoding{};
      const auto lines = ReadInPieces(c.bytes, piece, 1251, &encoding).lines;
      EXPECT_EQ(encoding, c.encoding) << c.bytes << " / " << piece;
      if (!c.name.empty()) {
        ASSERT_EQ(lines.size(), 1u) << c.bytes;
        EXPECT_EQ(lines[0].name, c.name) << c.bytes;
      }
    }
  }
}

TEST(LineIndex, FindsEveryBreakAndEqualsSignAcrossBlockBoundaries) {
  // Lengths and offsets around 16, 32 and 64 bytes, where the wide loops hand over.
  const char ends[] = {'\n', '\r', 'z', '\xD0'};
  std::string text;
  for (int n = 0; n < 40; ++n) text += std::string(n % 7, 'x') + (n % 3 ? "=" : "") + ends[n % 4];
  for (size_t size : {0u, 15u, 16u, 31u, 32u, 33u, 63u, 64u, 65u, 130u}) {
    const std::string_view part = std::string_view(text).substr(0, size);
    LineIndex index;
    index.Build(part);
    for (size_t pos = 0; pos < part.size(); ++pos) {
      const size_t limit = std::min(part.size(), pos + 9);
      EXPECT_EQ(index.NextBreak(pos), std::min(part.find_first_of("\r\n", pos), part.size()));
      EXPECT_EQ(index.NextEquals(pos, limit), std::min(part.find('=', pos), limit)) << pos;
    }
  }
}

}  // namespace
}  // namespace ormind
