#include "core/ini_document.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ormind {
namespace {

std::vector<std::string> Strings(const std::vector<std::string_view>& views) {
  return {views.begin(), views.end()};
}

TEST(IniDocument, ReadsFollowTheProfileRules) {
  const struct {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  } cases[] = {
      {"[s]\nk=v", "s", "k", "v"},
      {"[s]\n  k  =  v w  \n", "s", "k", "v w"},           // blanks around name and value
      {"[S]\nKEY=v", "s", "key", "v"},                      // case of names
      {"[s]\nk=v", "  s ", " k ", "v"},                     // blanks around requested names
      {"[s]\nk=\"quoted value\"", "s", "k", "quoted value"},
      {"[s]\nk='single'", "s", "k", "single"},
      {"[s]\nk=\"unbalanced'", "s", "k", "\"unbalanced'"},
      {"[s]\nk=\"", "s", "k", "\""},
      {"[s]\nk=\"\"", "s", "k", ""},
      {"[s]\nk=a=b", "s", "k", "a=b"},                      // split at the first "="
      {"[s]\nk=", "s", "k", ""},                            // empty value exists
      {"[s]\nk", "s", "k", std::nullopt},                   // no "=": default
      {"[s]\nk=first\nk=second", "s", "k", "first"},        // first occurrence wins
      {"[s]\nk=1\n[s]\nk=2\nj=3", "s", "j", std::nullopt},  // only the first section
      {"[s]\n;k=v", "s", "k", std::nullopt},                // comment
      {"[s]\r\nk=v\r\n", "s", "k", "v"},
      {"[s]\rk=v\r", "s", "k", "v"},                        // CR alone ends a line
      {"[s] trailing\nk=v", "s", "k", "v"},                 // text after "]" ignored
      {"[s]]\nk=v", "s]", "k", "v"},                        // the last "]" closes
      {"[s\nk=v", "s", "k", std::nullopt},                  // no "]": not a header
      {"k=top\n[s]\nk=v", "", "k", "top"},                  // lines before any section
      {"[Дни]\nИмя=v", "Дни", "Имя", "v"},
      {"[Дни]\nИмя=v", "дни", "Имя", std::nullopt},        // only ASCII letters fold
      {"[ s ]\nk=v", "s", "k", "v"},                        // blanks inside brackets
      {"[s]\n;k=v", "s", ";k", "v"},                        // a comment found by its text
      {"[s]\n\tk\t=\tv\x1A", "s", "k", "v"},
      {"[other]\nk=v", "s", "k", std::nullopt},
  };
  for (const auto& c : cases) {
    const IniDocument doc(c.text);
    const auto value = doc.ReadString(c.section, c.key);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.text;
    if (value) {
      EXPECT_EQ(*value, *c.expected) << c.text;
    }
  }
}

TEST(IniDocument, KeyListSkipsCommentsAndLinesWithoutEquals) {
  const IniDocument doc("[s]\nb=1\n;c=2\nnoequals\n\nB=3\n=4\n[t]\nx=1\n[S]\nlater=1\n");
  EXPECT_EQ(Strings(doc.KeyNames("s")), (std::vector<std::string>{"b", "B", ""}));
  EXPECT_TRUE(doc.HasKey("s", "b"));
  EXPECT_FALSE(doc.HasKey("s", "noequals"));
  EXPECT_FALSE(doc.HasKey("s", "later"));
  EXPECT_EQ(Strings(doc.SectionNames()), (std::vector<std::string>{"s", "t", "S"}));
}

TEST(IniDocument, EntriesListEveryLineOfEverySectionOfTheName) {
  const IniDocument doc(
      "[Birthday]\nIvan=01.01.1990\nIvan=02.02.1992\n[Events]\nx=1\n"
      "[birthday]\nOlga='03.03.1993'\n");
  std::vector<std::string> seen;
  for (const IniEntry& e : doc.Entries("Birthday"))
    seen.push_back(std::string(e.name) + "=" + std::string(e.value));
  EXPECT_EQ(seen, (std::vector<std::string>{"Ivan=01.01.1990", "Ivan=02.02.1992",
                                            "Olga=03.03.1993"}));
}

TEST(IniDocument, WritesChangeOnlyTheLineConcerned) {
  const struct {
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      // an existing key: its value only, spacing and spelling kept
      {"; top\r\n[settings]\r\nDAYSBEFORE = 5   \r\nLang=1\r\n", "settings", "DaysBefore", "3",
       "; top\r\n[settings]\r\nDAYSBEFORE = 3\r\nLang=1\r\n"},
      // a missing key: after the last line of its section, before the blank lines
      {"[a]\nx=1\n\n[b]\ny=2\n", "a", "z", "9", "[a]\nx=1\nz=9\n\n[b]\ny=2\n"},
      {"[a]\rx=1\r", "a", "z", "9", "[a]\rx=1\rz=9\r"},  // CR alone stays CR alone
      // a missing section: at the end, in the file's line breaks
      {"[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
      {"", "settings", "EventsFile", "C:\\x", "[settings]\r\nEventsFile=C:\\x\r\n"},
      // an empty section gets the key after its header
      {"[a]\n[b]\n", "a", "k", "v", "[a]\nk=v\n[b]\n"},
      // a line with the name but no "=" becomes the entry
      {"[a]\nk\nj=1\n", "a", "k", "v", "[a]\nk=v\nj=1\n"},
      // the first of repeated keys is the one changed
      {"[a]\nk=1\nk=2\n", "a", "K", "3", "[a]\nk=3\nk=2\n"},
      // an empty value and a value's leading blanks
      {"[a]\nk=old\n", "a", "k", "", "[a]\nk=\n"},
      {"[a]\nk=old\n", "a", "k", "  new", "[a]\nk=new\n"},
      // last line without a line break
      {"[a]\nx=1", "a", "y", "2", "[a]\nx=1\ny=2"},
  };
  for (const auto& c : cases) {
    IniDocument doc(c.before);
    doc.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(doc.Text(), c.after) << c.before;
    std::string_view written = c.value;
    written.remove_prefix(std::min(written.find_first_not_of(' '), written.size()));
    EXPECT_EQ(doc.ReadString(c.section, c.key), written) << c.before;
  }
}

TEST(IniDocument, LongValuesAndLargeSectionsAreReadWhole) {
  const std::string longValue(100000, 'x');
  std::string text = "[s]\nlong=" + longValue + "\n";
  for (int i = 0; i < 5000; ++i) text += "key_with_a_rather_long_name_" + std::to_string(i) + "=1\n";
  const IniDocument doc(text);
  EXPECT_EQ(doc.ReadString("s", "long"), longValue);
  EXPECT_EQ(doc.KeyNames("s").size(), 5001u);
  EXPECT_EQ(doc.ReadString("s", "key_with_a_rather_long_name_4999"), "1");
}

}  // namespace
}  // namespace ormind
