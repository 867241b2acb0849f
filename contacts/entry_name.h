#pragma once
// Names from contacts made fit for an event-list line "name=date": the line reader splits at
// the first "=", ends a line at a line break, takes "[" first for a section and ";" first for
// a comment, and trims blanks around the name.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ormind {

// Longer names (in characters) are not taken: no one's name is that long, junk is.
inline constexpr size_t kMaxEntryNameLength = 200;

struct CleanedName {
  std::string name;      // empty when nothing is left
  bool changed = false;  // other than blanks trimmed
  bool tooLong = false;
};

// Line breaks, tabs and other control characters become one space, invalid UTF-8 U+FFFD, "="
// inside the name "-"; "=", "[" and ";" at the start are dropped; runs of blanks become one.
CleanedName CleanEntryName(std::string_view utf8);

}  // namespace ormind
