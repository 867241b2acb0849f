// Imported entries added to event lists in each encoding: every byte of the list stays apart
// from the lines added.
#include "contacts/event_list_merge.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/contacts/utf16_file_bytes.h"

namespace ormind {
namespace {

std::string Utf16Le(std::string_view utf8) { return testing::Utf16LeFile(Utf8ToUtf16(utf8)); }

std::string Cp1251(std::string_view utf8) { return *Utf8ToAnsi(utf8, 1251); }

ImportedEntry Birthday(std::string name, int day, int month, int year = 0) {
  return {EventSection::Birthday, std::move(name), {day, month, year}, 1};
}
ImportedEntry Event(std::string name, int day, int month, int year = 0) {
  return {EventSection::Events, std::move(name), {day, month, year}, 1};
}

struct MergeCase {
  const char* what;
  std::string existing;
  std::vector<ImportedEntry> entries;
  std::optional<std::string> expected;  // nullopt: the list is left as it is
  size_t added, alreadyThere, otherDate;
  TextEncoding after;
};

// A lone surrogate in UTF-16 cannot be written back as it was.
const std::string kBrokenUtf16("\xff\xfe[\0B\0]\0\r\0\n\0\x00\xd8=\0", 16);

TEST(EventListMerge, KeepsEveryByteApartFromTheAddedLinesOrLeavesTheList) {
  const std::string utf16Before = "[Birthday]\r\nАнна=01.02.1980\r\n\r\n[Events]\r\nСвадьба=05.06.2001\r\n";
  const std::string cp1251Before =
      "; мой список\r\n[Birthday]\r\nИван=07.12.1976\r\n\r\n[Nameday]\r\nТатьяна=25.01\r\n";
  const std::string utf8Before =
      "; my list, kept by hand\n[birthday]\nEmma=03.03.1993\n; cousins below\n"
      "Zoë=04.04.2004\n\n[Other]\nx=1";
  const MergeCase cases[] = {
      {"UTF-16: into both sections, after their last line, CR LF kept",
       Utf16Le(utf16Before),
       {Birthday("Пётр", 2, 3, 1990), Event("Юбилей", 9, 9, 2009), Birthday("Анна", 1, 2, 1980)},
       Utf16Le("[Birthday]\r\nАнна=01.02.1980\r\nПётр=02.03.1990\r\n\r\n[Events]\r\n"
               "Свадьба=05.06.2001\r\nЮбилей=09.09.2009\r\n"),
       2, 1, 0, TextEncoding::Utf16Le},
      {"1251: names that fit stay in the code page; a missing section goes at the end",
       Cp1251(cp1251Before),
       {Birthday("Ольга", 8, 12), Event("Свадьба", 8, 12, 2001)},
       Cp1251("; мой список\r\n[Birthday]\r\nИван=07.12.1976\r\nОльга=08.12\r\n\r\n[Nameday]\r\n"
              "Татьяна=25.01\r\n[Events]\r\nСвадьба=08.12.2001\r\n"),
       2, 0, 0, TextEncoding::Ansi},
      {"1251: a name that does not fit makes the list UTF-8 with a byte-order mark",
       Cp1251(cp1251Before),
       {Birthday("Ζωή", 1, 1, 2000)},
       "\xef\xbb\xbf; мой список\r\n[Birthday]\r\nИван=07.12.1976\r\nΖωή=01.01.2000\r\n\r\n"
       "[Nameday]\r\nТатьяна=25.01\r\n",
       1, 0, 0, TextEncoding::Utf8Bom},
      {"UTF-8 with comments and LF: after the last line of the section, the end left unbroken",
       utf8Before,
       {Birthday("Zoë", 4, 4, 2004), Birthday("Émile", 5, 5, 1955), Event("Move", 6, 6)},
       "; my list, kept by hand\n[birthday]\nEmma=03.03.1993\n; cousins below\n"
       "Zoë=04.04.2004\nÉmile=05.05.1955\n\n[Other]\nx=1\n[Events]\nMove=06.06\n",
       2, 1, 0, TextEncoding::Utf8},
      {"the section at the end of a file without a final line break",
       "[Birthday]\r\nA=01.01.2001",
       {Birthday("B", 2, 2, 2002)},
       "[Birthday]\r\nA=01.01.2001\r\nB=02.02.2002",
       1, 0, 0, TextEncoding::Ansi},
      {"duplicates: the name in another case, a two-digit year, twice in the import",
       "[Birthday]\nivan=05.03.85\nOlga=01.01\n",
       {Birthday("Ivan", 5, 3, 1985), Birthday("Olga", 1, 1), Birthday("Olga", 1, 1, 1970),
        Birthday("New", 9, 9), Birthday("New", 9, 9), Event("Ivan", 5, 3, 1985)},
       "[Birthday]\nivan=05.03.85\nOlga=01.01\nOlga=01.01.1970\nNew=09.09\n[Events]\nIvan=05.03.1985\n",
       3, 3, 1, TextEncoding::Ansi},
      {"nothing new: the bytes as they were",
       Utf16Le(utf16Before), {Birthday("Анна", 1, 2, 1980)}, Utf16Le(utf16Before),
       0, 1, 0, TextEncoding::Utf16Le},
      {"a new list: UTF-8 with a byte-order mark, CR LF",
       "", {Birthday("Ann", 1, 1)},
       "\xef\xbb\xbf[Birthday]\r\nAnn=01.01\r\n", 1, 0, 0, TextEncoding::Utf8Bom},
      {"8-bit text that would read back as UTF-8 is written as UTF-8 with a byte-order mark",
       "[Birthday]\r\nA=01.01\r\n", {Birthday("Рё", 2, 2)},
       "\xef\xbb\xbf[Birthday]\r\nA=01.01\r\nРё=02.02\r\n", 1, 0, 0, TextEncoding::Utf8Bom},
      {"bytes that would not survive alone: the list is left", kBrokenUtf16,
       {Birthday("Ann", 1, 1)}, std::nullopt, 0, 0, 0, TextEncoding::Utf16Le},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<EventListMerge> merge = MergeIntoEventList(c.existing, c.entries, 1251);
    ASSERT_EQ(merge.has_value(), c.expected.has_value());
    if (!merge) continue;
    EXPECT_EQ(merge->bytes, *c.expected);
    EXPECT_EQ(merge->added.size(), c.added);
    EXPECT_EQ(merge->alreadyThere, c.alreadyThere);
    EXPECT_EQ(merge->otherDate.size(), c.otherDate);
    EXPECT_EQ(merge->encodingAfter, c.after);
  }
}

}  // namespace
}  // namespace ormind
