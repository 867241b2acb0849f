#include "ui/tray/rules/tray_tooltip.h"

#include <gtest/gtest.h>

#include <string>

namespace ormind {
namespace {

struct TooltipCase {
  const char* name;
  std::string hint;
  std::string expected;
};

std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

TEST(TrayTooltip, ShortPartCutToSixtyThreeUnits) {
  const std::string cyrillic = "\xD0\x96";      // one UTF-16 unit, two bytes
  const std::string clef = "\xF0\x9D\x84\x9E";  // a surrogate pair, four bytes
  const TooltipCase cases[] = {
      {"empty", "", ""},
      {"no bar", "Ormind", "Ormind"},
      {"before first bar", "short|long|longer", "short"},
      {"bar first", "|long part", ""},
      {"100 characters cut to 63", Repeat("a", 100), Repeat("a", 63)},
      {"exactly 63 kept", Repeat("b", 63), Repeat("b", 63)},
      {"cut applies to the short part", Repeat("c", 70) + "|x", Repeat("c", 63)},
      {"Cyrillic counts characters, not bytes", Repeat(cyrillic, 80), Repeat(cyrillic, 63)},
      {"surrogate pair never split", Repeat("a", 62) + clef, Repeat("a", 62)},
      {"surrogate pair that fits", Repeat("a", 61) + clef + "z", Repeat("a", 61) + clef},
      {"stray byte kept as one unit", "a\xFF" "b", "a\xFF" "b"},
      {"truncated sequence at end", "ab\xD0", "ab\xD0"},
  };
  for (const auto& c : cases) EXPECT_EQ(TrayTooltip(c.hint), c.expected) << c.name;
}

TEST(TrayTooltip, ShortHintIsTextBeforeFirstBar) {
  EXPECT_EQ(ShortHint("a|b|c"), "a");
  EXPECT_EQ(ShortHint("abc"), "abc");
  EXPECT_EQ(ShortHint(""), "");
}

}  // namespace
}  // namespace ormind
