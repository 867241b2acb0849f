#pragma once
// The line structure that address-book cards and calendars share: physical lines joined where
// a line is folded (the next one starts with a blank) or where a quoted-printable value ends
// in a soft line break ("="), then split into the property's name, its parameters and value.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ormind {

struct ContentParameter {
  std::string name;   // upper case, as compared
  std::string value;  // quotes removed; empty for a bare parameter ("QUOTED-PRINTABLE")
};

struct ContentLine {
  uint32_t line = 0;  // the physical line it starts on, from 1
  std::string name;   // upper case, without a group prefix ("item1.BDAY" is "BDAY")
  std::vector<ContentParameter> parameters;
  std::string value;  // raw, still encoded and escaped

  // The value of the first parameter of that name (upper case), or "" when absent.
  std::string_view Parameter(std::string_view upperName) const;
  bool HasParameter(std::string_view upperName) const;
  // ENCODING=QUOTED-PRINTABLE, or the bare parameter of the oldest card version.
  bool IsQuotedPrintable() const;
};

// Every content line of the text, in order; lines without ":" are dropped.
std::vector<ContentLine> SplitContentLines(std::string_view text);

// ASCII upper case.
std::string AsciiUpper(std::string_view text);

}  // namespace ormind
