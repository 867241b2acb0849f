// The readers of address-book cards and birthday calendars over samples shaped like what the
// phones, the address-book services and the mail programs export.
#include "contacts/contact_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/contacts/utf16_file_bytes.h"

namespace ormind {
namespace {

using testing::Utf16LeFile;

// "[Birthday] Name=dd.mm.yyyy", one per entry, in order.
std::vector<std::string> Listed(const ImportResult& result) {
  std::vector<std::string> lines;
  for (const ImportedEntry& entry : result.entries)
    lines.push_back("[" + std::string(SectionName(entry.section)) + "] " + FormatEventLine(entry));
  return lines;
}

std::vector<std::string> Notes(const ImportResult& result) {
  std::vector<std::string> notes;
  for (const ImportNote& note : result.notes)
    notes.push_back(std::to_string(note.line) + (note.skipped ? " skip: " : " note: ") + note.text);
  return notes;
}

struct Sample {
  const char* what;
  std::string text;
  std::vector<std::string> entries;
  std::vector<std::string> notes;
  int codePage = 1251;  // the system's 8-bit code page
};

TEST(ContactFile, ReadsEachCardVersionAndCalendar) {
  const Sample samples[] = {
      {"2.1 as an Android phone writes it: quoted-printable UTF-8 folded by soft breaks, N only",
       "BEGIN:VCARD\r\nVERSION:2.1\r\n"
       "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=9F=D0=B5=D1=82=D1=80=D0=BE=D0=B2;=D0=98=\r\n"
       "=D0=B2=D0=B0=D0=BD;;;\r\n"
       "TEL;CELL:+7 900 000-00-00\r\nBDAY:1985-03-05\r\nEND:VCARD\r\n",
       {"[Birthday] Иван Петров=05.03.1985"},
       {}},
      {"2.1 with a bare QUOTED-PRINTABLE parameter and a 1251 charset, as a mail program writes",
       "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=Windows-1251;QUOTED-PRINTABLE:=CE=EB=FC=E3=E0\n"
       "BDAY:19900101\nEND:VCARD\n",
       {"[Birthday] Ольга=01.01.1990"},
       {}},
      {"2.1 in the 8-bit code page without a charset",
       "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:\xc8\xe2\xe0\xed\r\nBDAY:19700615\r\nEND:VCARD\r\n",
       {"[Birthday] Иван=15.06.1970"},
       {}},
      {"3.0 as a phone writes it: a folded FN, an omitted year, a grouped anniversary",
       "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Anna;;;\r\nFN:Anna\r\n  Smith\r\n"
       "BDAY;X-APPLE-OMIT-YEAR=1604:1604-07-21\r\n"
       "item1.X-ABDATE;type=pref:2010-06-12\r\nitem2.X-ANNIVERSARY:2010-06-12\r\nEND:VCARD\r\n",
       {"[Birthday] Anna Smith=21.07", "[Events] Anna Smith=12.06.2010"},
       {}},
      {"3.0 from an address-book service: dates with a time, escapes in the name",
       "BEGIN:VCARD\nVERSION:3.0\nFN:O'Brien\\, Sean\nBDAY:1979-11-30T00:00:00Z\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:Mary\nBDAY:--0412\nEND:VCARD\n",
       {"[Birthday] O'Brien, Sean=30.11.1979", "[Birthday] Mary=12.04"},
       {}},
      {"4.0 with every date form and an ANNIVERSARY",
       "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:A\r\nBDAY:--03-05\r\nEND:VCARD\r\n"
       "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:B\r\nBDAY:20000229\r\nANNIVERSARY:19991231T120000\r\n"
       "END:VCARD\r\n"
       "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:C\r\nBDAY;VALUE=date:--0229\r\nEND:VCARD\r\n",
       {"[Birthday] A=05.03", "[Birthday] B=29.02.2000", "[Events] B=31.12.1999",
        "[Birthday] C=29.02"},
       {}},
      {"FN first, N only without it; a card without a birthday gives nothing",
       "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John;Q;Dr.;\nBDAY:1960-02-02\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nN:Doe;Jane;;;\nFN:Janie\nBDAY:1961-03-03\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:Nobody\nEND:VCARD\n",
       {"[Birthday] John Q Doe=02.02.1960", "[Birthday] Janie=03.03.1961"},
       {}},
      {"dates not understood are listed with their line and skipped",
       "BEGIN:VCARD\nVERSION:3.0\nFN:X\nBDAY:1985/03/05\nANNIVERSARY;VALUE=text:circa 1800\n"
       "END:VCARD\n"
       "BEGIN:VCARD\nVERSION:4.0\nFN:Y\nBDAY:19850230\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:4.0\nFN:Z\nBDAY:---05\nEND:VCARD\n",
       {},
       {"4 skip: BDAY \"1985/03/05\" is not a date understood here, skipped",
        "5 skip: ANNIVERSARY \"circa 1800\" is not a date understood here, skipped",
        "10 skip: BDAY \"19850230\" is not a date understood here, skipped",
        "15 skip: BDAY \"---05\" is not a date understood here, skipped"}},
      {"names the list could not hold are cleaned and said so",
       "BEGIN:VCARD\nVERSION:3.0\nFN:=Eve\nBDAY:1990-01-02\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:[Work] Bob\nBDAY:1990-01-03\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:Line\\nbreak\nBDAY:1990-01-04\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:a=b\nBDAY:1990-01-05\nEND:VCARD\n"
       "BEGIN:VCARD\nVERSION:3.0\nFN:;;;\nN:;;;;\nBDAY:1990-01-06\nEND:VCARD\n",
       {"[Birthday] Eve=02.01.1990", "[Birthday] Work] Bob=03.01.1990",
        "[Birthday] Line break=04.01.1990", "[Birthday] a-b=05.01.1990"},
       {"1 note: name cleaned to \"Eve\"", "6 note: name cleaned to \"Work] Bob\"",
        "11 note: name cleaned to \"Line break\"", "16 note: name cleaned to \"a-b\"",
        "21 skip: no name, skipped"}},
      {"a birthday calendar: yearly events by SUMMARY, others skipped",
       "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19850305\r\n"
       "RRULE:FREQ=YEARLY\r\nSUMMARY:Ivan Petrov\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
       "END:VALARM\r\nEND:VEVENT\r\n"
       "BEGIN:VEVENT\r\nSUMMARY:Meeting\r\nDTSTART:20260101T100000Z\r\nEND:VEVENT\r\n"
       "BEGIN:VEVENT\r\nSUMMARY:\xd0\x9e\xd0\xbb\xd1\x8f\\, "
       "\xd0\xb4\xd0\xb5\xd0\xbd\xd1\x8c\r\n  \xd1\x80\xd0\xbe\xd0\xb6\xd0\xb4\xd0\xb5\xd0\xbd\xd0"
       "\xb8\xd1\x8f\r\nRRULE:INTERVAL=1;FREQ=YEARLY;BYMONTH=12\r\nDTSTART;VALUE=DATE:20011209\r\n"
       "END:VEVENT\r\nEND:VCALENDAR\r\n",
       {"[Birthday] Ivan Petrov=05.03.1985", "[Birthday] Оля, день рождения=09.12.2001"},
       {"11 skip: event \"Meeting\" does not repeat yearly, skipped"}},
      {"a file with a UTF-8 byte-order mark",
       "\xef\xbb\xbf" "BEGIN:VCARD\nFN:Bom\nBDAY:2001-01-01\nEND:VCARD\n",
       {"[Birthday] Bom=01.01.2001"},
       {}},
      {"a UTF-16 file, whatever the code page",
       Utf16LeFile(u"BEGIN:VCARD\r\nFN:Зоя\r\nBDAY:--1201\r\nEND:VCARD\r\n"),
       {"[Birthday] Зоя=01.12"},
       {},
       1252},
      {"an unknown charset is said and the name kept",
       "BEGIN:VCARD\nFN;CHARSET=KOI8-R:Ann\nBDAY:1990-05-05\nEND:VCARD\n",
       {"[Birthday] Ann=05.05.1990"},
       {"2 note: unknown charset \"KOI8-R\", the name read as it stands"},
       1252},
      {"a card cut off at the end of the file, and one left open before the next",
       "BEGIN:VCARD\nFN:First\nBDAY:1980-01-01\nBEGIN:VCARD\nFN:Second\nBDAY:1981-02-02\n",
       {"[Birthday] First=01.01.1980", "[Birthday] Second=02.02.1981"},
       {}},
      {"junk: nothing found",
       std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR:", 17),
       {},
       {"0 skip: no contact cards or calendar events found"}},
      {"a thousand-character name is skipped",
       "BEGIN:VCARD\nFN:" + std::string(1000, 'x') + "\nBDAY:1980-01-01\nEND:VCARD\n",
       {},
       {"1 skip: a name longer than 200 characters, skipped"}},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.what);
    const ImportResult result = ReadContactFile(sample.text, sample.codePage);
    EXPECT_EQ(Listed(result), sample.entries);
    EXPECT_EQ(Notes(result), sample.notes);
  }
}

}  // namespace
}  // namespace ormind
