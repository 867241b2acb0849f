#include "core/event_list_check.h"

#include <gtest/gtest.h>

#include "base/text_codec.h"

namespace ormind {
namespace {

std::vector<std::string> Check(const std::string& bytes, size_t piece = 5) {
  EventListChecker checker(1251);
  for (size_t at = 0; at < bytes.size(); at += piece)
    checker.Feed(std::string_view(bytes).substr(at, piece));
  std::vector<std::string> lines;
  for (const SkippedLine& line : checker.Finish()) lines.push_back(FormatSkippedLine(line));
  return lines;
}

TEST(EventListCheck, ListsEverySkippedLineWithItsNumberSectionAndReason) {
  const std::string never = "never falls on any day (day or month out of range)";
  const std::string undecoded =
      "the date does not decode (dd.mm.yyyy or dd.mm, two digits for day and month)";
  const struct {
    std::string file;
    std::vector<std::string> lines;
  } cases[] = {
      {"[Birthday]\nIvan=05.03.1970\n[Events]\nA=12.06\n[Nameday]\nN=25.01.1980\n; x\n\n", {}},
      {"Title line\nk=v\n[Birthday]\r\nIvan 05.03.1970\r\nOlga=5.3.1970\r\nEmpty=\r\n"
       "Month=05.13.1970\r\nApril=31.04\r\nLeap=29.02.1960\r\nTwo=01.05.90\r\n"
       "[Birthdays]\r\nPyotr=07.12.1976\r\n[events]\nE=xx.01\n",
       {"1 [] outside the sections Birthday, Events and Nameday: Title line",
        "2 [] outside the sections Birthday, Events and Nameday: k=v",
        "4 [Birthday] no \"=\": Ivan 05.03.1970", "5 [Birthday] " + undecoded + ": Olga=5.3.1970",
        "6 [Birthday] no date: Empty=", "7 [Birthday] " + never + ": Month=05.13.1970",
        "8 [Birthday] " + never + ": April=31.04",
        "12 [Birthdays] outside the sections Birthday, Events and Nameday: Pyotr=07.12.1976",
        "14 [Events] " + undecoded + ": E=xx.01"}},
      // Outside ASCII, fields count characters: "·" is one character in UTF-8.
      {"[Birthday]\nИван=05·03·1970\nПётр=5·03·1970\n",
       {"3 [Birthday] " + undecoded + ": Пётр=5·03·1970"}},
      {"[Birthday]\n\xC8\xE2\xE0\xED=32.01\n\xCE\xEB\xFF=05\xB7" "03\xB7" "1970\n",
       {"2 [Birthday] " + never + ": Иван=32.01"}},
  };
  for (const auto& c : cases)
    for (size_t piece : {1u, 5u, 4096u}) EXPECT_EQ(Check(c.file, piece), c.lines) << c.file;
}

}  // namespace
}  // namespace ormind
