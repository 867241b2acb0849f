// Breaking text into lines: where words end, how a word wider than its box is cut, blank lines.
#include <gtest/gtest.h>

#include "report/model/line_wrap.h"

namespace ormind {
namespace {

using Lines = std::vector<std::string>;

// Ten pixels per ASCII character, five per byte of any other (so ten per Cyrillic letter, and
// half a letter shows when a cut splits one).
int32_t Width(const std::string& text) {
  int32_t width = 0;
  for (unsigned char c : text) width += c < 0x80 ? 10 : 5;
  return width;
}

TEST(WrapText, BreaksAfterSpacesAndHyphensAndCutsWideWordsWithoutLosingCharacters) {
  const struct {
    const char* name;
    std::string text;
    int32_t box;
    bool autoSize;
    Lines expected;
  } cases[] = {
      {"fits exactly", "ab cd", 50, false, {"ab cd"}},
      {"space stays at the line end", "ab cd", 40, false, {"ab ", "cd"}},
      {"hyphen breaks", "well-known fact", 70, false, {"well-", "known ", "fact"}},
      {"tab is not a break", "ab\tcdef", 50, false, {"ab\tc", "def"}},
      {"wide first word: narrower than the box, rest continues", "abcdefghij", 35, false,
       {"abc", "def", "ghi", "j"}},
      {"rest shares its line with the next word", "abcdefg hi", 50, false, {"abcd", "efg ", "hi"}},
      {"word three boxes wide after a full line", "x abcdefghijkl", 40, false,
       {"x ", "abcd", "efg", "hij", "kl"}},
      {"characters, not bytes, are cut", "\xD1\x91\xD0\xB6\xD0\xB8\xD0\xBA", 17, false,
       {"\xD1\x91", "\xD0\xB6", "\xD0\xB8", "\xD0\xBA"}},
      {"blank lines keep their place", "a\r\rb", 50, false, {"a", "", "b"}},
      {"line feeds are dropped", "a\r\nb\n", 50, false, {"a", "b"}},
      {"empty text is one empty line", "", 50, false, {""}},
      {"auto size keeps each piece whole", "far too long\rb", 20, true, {"far too long", "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Lines lines;
    WrapText(c.text, c.autoSize, c.box, Width, lines);
    EXPECT_EQ(lines, c.expected);
  }
}

}  // namespace
}  // namespace ormind
