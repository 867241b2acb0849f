// Dates of birthdays and anniversaries, and names made fit for an event-list line.
#include <gtest/gtest.h>

#include "contacts/contact_date.h"
#include "contacts/entry_name.h"

namespace ormind {
namespace {

TEST(ContactDate, ReadsEveryFormAndRefusesTheRest) {
  const struct {
    const char* text;
    const char* written;  // nullptr: refused
  } cases[] = {
      {"19850305", "05.03.1985"},
      {"1985-03-05", "05.03.1985"},
      {"1985-03-05T00:00:00Z", "05.03.1985"},
      {"19850305T000000", "05.03.1985"},
      {" 1985-03-05 ", "05.03.1985"},
      {"--0305", "05.03"},
      {"--03-05", "05.03"},
      {"--0229", "29.02"},
      {"0000-07-01", "01.07"},
      {"0085-03-05", "05.03.0085"},
      {"20000229", "29.02.2000"},
      {"19000229", nullptr},  // 1900 was no leap year
      {"19850230", nullptr},
      {"19851305", nullptr},
      {"1985-00-05", nullptr},
      {"--0300", nullptr},
      {"--3-05", nullptr},
      {"--030", nullptr},
      {"---05", nullptr},
      {"1985-03", nullptr},
      {"198503051", nullptr},
      {"1985-03-05T", nullptr},
      {"1985-03-05Z", nullptr},
      {"1985/03/05", nullptr},
      {"05.03.1985", nullptr},
      {"", nullptr},
      {"circa 1800", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<ContactDate> date = ParseContactDate(c.text);
    ASSERT_EQ(date.has_value(), c.written != nullptr) << c.text;
    if (date) {
      EXPECT_EQ(FormatEventDate(*date), c.written) << c.text;
    }
  }
}

// `count` times the same character.
std::string Repeated(const std::string& character, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += character;
  return text;
}

TEST(EntryName, CleansWhatTheListCannotHoldAndCountsCharactersNotBytes) {
  const std::string longest = Repeated("\xd0\xaf", kMaxEntryNameLength);  // two bytes each
  const struct {
    std::string raw;
    std::string name;
    bool changed;
    bool tooLong = false;
  } cases[] = {
      {"Ivan Petrov", "Ivan Petrov", false},
      {"  Ivan  ", "Ivan", false},
      {"Ivan   Petrov", "Ivan Petrov", true},
      {"=Ivan", "Ivan", true},
      {"= = Ivan", "Ivan", true},
      {"[Friends] Ann", "Friends] Ann", true},
      {";Ann", "Ann", true},
      {"Ann;Bob", "Ann;Bob", false},
      {"Ann [work]", "Ann [work]", false},
      {"a=b=c", "a-b-c", true},
      {"Line\nbreak", "Line break", true},
      {"Line\r\nbreak\r\n", "Line break", true},
      {"Tab\tbed", "Tab bed", true},
      {std::string("Nul\0byte", 8), "Nul byte", true},
      {"Bad\xff" "byte", "Bad\xef\xbf\xbd" "byte", true},
      {"\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd", "\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd", false},
      {"=", "", true},
      {"", "", false},
      {longest, longest, false},
      {longest + "x", "", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raw.size() > 40 ? std::to_string(c.raw.size()) + " bytes" : c.raw);
    const CleanedName cleaned = CleanEntryName(c.raw);
    EXPECT_EQ(cleaned.name, c.name);
    EXPECT_EQ(cleaned.changed, c.changed);
    EXPECT_EQ(cleaned.tooLong, c.tooLong);
  }
}

}  // namespace
}  // namespace ormind
