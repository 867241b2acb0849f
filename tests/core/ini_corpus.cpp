#include "ini_corpus.h"

namespace ormind::testing {
namespace {

std::string Utf16Le(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

std::vector<IniCorpusFile> IniCorpus() {
  std::string longValue(5000, 'v');
  std::string manyKeys = "[big]\r\n";
  for (int i = 0; i < 1500; ++i)
    manyKeys += "a_fairly_long_key_name_number_" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";

  return {
      {"plain", "[s]\r\nk=v\r\n", {}, {"k"}, "s", "k", "w"},
      {"settings", "[settings]\r\nEventsFile=C:\\Users\\a\\events.txt\r\nDaysBefore=3\r\nLang=1049\r\nPrintPicture=\r\n",
       {}, {"EventsFile", "PrintPicture"}, "settings", "DaysBefore", "7"},
      {"lf endings", "[s]\nk=v\nj=w\n", {}, {"k"}, "s", "new", "1"},
      {"cr endings", "[s]\rk=v\rj=w\r", {}, {"j"}, "s", "k", "2"},
      {"mixed endings", "[s]\r\nk=v\nj=w\r[t]\r\n\r\nx=y", {}, {}, "t", "x", "z"},
      {"no final line break", "[s]\r\nk=v", {}, {}, "s", "j", "3"},
      {"blanks around names", "[s]\r\n  k  =  v  \r\n\tj\t=\tw\t\r\n", {}, {" k ", "k", "j"}, "s", " k ", "x"},
      {"blank lines", "\r\n\r\n[s]\r\n\r\nk=v\r\n\r\n\r\n[t]\r\nj=w\r\n", {}, {}, "s", "added", "1"},
      {"case of names", "[Settings]\r\nDAYSBEFORE=5\r\n", {"settings", "SETTINGS"}, {"daysbefore", "DaysBefore"}, "settings", "daysbefore", "6"},
      {"double quotes", "[s]\r\nk=\"quoted value\"\r\n", {}, {}, "s", "k", "\"new\""},
      {"single quotes", "[s]\r\nk='quoted'\r\n", {}, {}, "s", "k", "x"},
      {"unbalanced quotes", "[s]\r\na=\"open\r\nb=close\"\r\nc=\"mixed'\r\n", {}, {}, "s", "a", "y"},
      {"lone quote", "[s]\r\nk=\"\r\nj='\r\n", {}, {}, "s", "j", "q"},
      {"empty quotes", "[s]\r\nk=\"\"\r\nj=''\r\n", {}, {}, "s", "k", "e"},
      {"quotes inside", "[s]\r\nk=say \"hi\" now\r\n", {}, {}, "s", "k", "1"},
      {"empty value", "[s]\r\nk=\r\nj=   \r\n", {}, {}, "s", "k", ""},
      {"equals in value", "[s]\r\nk=a=b=c\r\n", {}, {}, "s", "k", "x=y"},
      {"empty name", "[s]\r\n=value\r\nk=v\r\n", {}, {""}, "s", "k", "1"},
      {"line without equals", "[s]\r\nlonely\r\nk=v\r\n", {}, {"lonely"}, "s", "lonely", "now"},
      {"comments", "; top\r\n[s]\r\n;k=hidden\r\nk=v\r\n  ; indented=x\r\n", {}, {"k", ";k"}, "s", "k", "c"},
      {"hash is not a comment", "[s]\r\n#k=v\r\nk=w\r\n", {}, {"#k"}, "s", "#k", "h"},
      {"duplicate keys", "[s]\r\nk=first\r\nk=second\r\nK=third\r\n", {}, {}, "s", "k", "changed"},
      {"duplicate sections", "[s]\r\nk=1\r\n[t]\r\nx=1\r\n[s]\r\nk=2\r\nj=3\r\n", {}, {"j"}, "s", "j", "4"},
      {"duplicate sections other case", "[Birthday]\r\nA=01.01.2000\r\n[BIRTHDAY]\r\nB=02.02.2000\r\n", {}, {"B"}, "birthday", "B", "03.03.2003"},
      {"keys before any section", "k=top\r\n[s]\r\nk=inner\r\n", {""}, {}, "s", "k", "x"},
      {"empty file", "", {"s"}, {"k"}, "s", "k", "v"},
      {"only blanks", "   \r\n\t\r\n", {"s"}, {"k"}, "new", "k", "v"},
      {"section not found", "[a]\r\nk=v\r\n", {"b"}, {}, "b", "k", "v"},
      {"empty section", "[a]\r\n[b]\r\nk=v\r\n", {"a"}, {}, "a", "k", "v"},
      {"text after bracket", "[s] comment\r\nk=v\r\n", {"s"}, {}, "s", "k", "w"},
      {"brackets inside", "[a]b]\r\nk=v\r\n", {"a]b", "a"}, {}, "a]b", "k", "w"},
      {"no closing bracket", "[s\r\nk=v\r\n[t]\r\nj=w\r\n", {"s", "[s"}, {"[s"}, "t", "j", "x"},
      {"blanks inside brackets", "[ s ]\r\nk=v\r\n", {"s", " s "}, {}, "t", "k", "v"},
      {"indented section", "   [s]\r\nk=v\r\n", {}, {}, "s", "k", "w"},
      {"long value", "[s]\r\nk=" + longValue + "\r\n", {}, {}, "s", "k", std::string(3000, 'w')},
      {"many keys", manyKeys, {}, {"a_fairly_long_key_name_number_1499"}, "big", "a_fairly_long_key_name_number_700", "x"},
      {"utf-8 with mark", "\xEF\xBB\xBF[s]\r\nname=Ivan\r\n\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD=05.03.1970\r\n", {}, {"\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD"}, "s", "\xD0\x9E\xD0\xBB\xD1\x8C\xD0\xB3\xD0\xB0", "01.01.2001"},
      {"utf-16 le", Utf16Le(u"[s]\r\nk=v\r\n\u0418\u0432\u0430\u043D=05.03.1970\r\n"), {}, {"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"}, "s", "k", "\xD0\xB6"},
      {"ansi 1252", "[s]\r\nJos\xE9=caf\xE9\r\nEuro=\x80\r\n", {}, {"jos\xC3\x89"}, "s", "Euro", "\xC3\xA9t\xC3\xA9"},
      {"utf-8 without mark", "[s]\r\n\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD=05.03.1970\r\n", {}, {}, "s", "k", "v", true},
      {"tabs and ctrl-z", "[s]\r\n\tk\t=\tv\t\r\nj=w\x1A\r\n", {}, {}, "s", "j", "x"},
      {"value leading blanks written", "[s]\r\nk=v\r\n", {}, {}, "s", "k", "   spaced"},
      {"key with spaces inside", "[s]\r\nmy key=my value\r\n", {}, {"my key", "MY KEY"}, "s", "my key", "v2"},
      {"event list", "[Birthday]\r\nIvan=07.12.1976\r\nOlga=08.12.1980\r\n\r\n[Events]\r\nWedding=07.12.2001\r\n\r\n[Nameday]\r\nPyotr=07.12\r\n", {"birthday"}, {}, "Events", "Party", "31.12"},
  };
}

}  // namespace ormind::testing
