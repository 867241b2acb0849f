#include "base/utf16_units.h"

#include <gtest/gtest.h>

#include <string>

namespace ormind {
namespace {

TEST(Utf16Units, CountsAndCutsWholeCharacters) {
  const std::string clef = "\xF0\x9D\x84\x9E";  // beyond U+FFFF: two units
  const struct {
    const char* name;
    std::string text;
    size_t units;
    size_t maxUnits;
    size_t prefixBytes;
  } cases[] = {
      {"ASCII", "abc", 3, 2, 2},
      {"Cyrillic: a unit per two bytes", "ЖЖЖ", 3, 2, 4},
      {"a euro sign: three bytes, one unit", "\xE2\x82\xAC" "a", 2, 1, 3},
      {"a pair is not split", "a" + clef, 3, 2, 1},
      {"a pair that fits", "a" + clef, 3, 3, 5},
      {"a stray byte is one unit", "a\xFF" "b", 3, 2, 2},
      {"a truncated sequence is one unit a byte", "a\xD0", 2, 2, 2},
      {"a lead byte without its follower", "\xD0" "a", 2, 1, 1},
      {"nothing", "", 0, 5, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16UnitCount(c.text), c.units) << c.name;
    EXPECT_EQ(Utf8PrefixWithinUnits(c.text, c.maxUnits), c.prefixBytes) << c.name;
  }
}

}  // namespace
}  // namespace ormind
