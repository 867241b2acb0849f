#include "base/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/cpu_features.h"

namespace ormind {
namespace {

TEST(TextCodec, DetectsEncodingByMarkThenByContent) {
  const struct {
    std::string bytes;
    TextEncoding expected;
  } cases[] = {
      {"", TextEncoding::Ansi},
      {"[Birthday]\r\nIvan=05.03.1970", TextEncoding::Ansi},          // ASCII
      {"\xC8\xE2\xE0\xED=05.03", TextEncoding::Ansi},                 // 1251 "Иван"
      {"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD=05.03", TextEncoding::Utf8},  // UTF-8 "Иван"
      {"\xEF\xBB\xBFx=1", TextEncoding::Utf8Bom},
      {"\xFF\xFEx\0", TextEncoding::Utf16Le},
      {"\xFE\xFF\0x", TextEncoding::Utf16Be},
      {"\xC0\x80", TextEncoding::Ansi},          // overlong NUL is not UTF-8
      {"\xED\xA0\x80", TextEncoding::Ansi},      // surrogate
      {"\xF4\x90\x80\x80", TextEncoding::Ansi},  // beyond U+10FFFF
      {"abc\xD0", TextEncoding::Ansi},           // truncated sequence
  };
  for (const auto& c : cases) EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.bytes;
}

TEST(TextCodec, DecodesEachEncodingToTheSameText) {
  const std::string name = "Иван=05.03.1970";
  const std::string utf16le("\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04=\0" "0\0" "5\0", 16);
  const struct {
    std::string bytes;
    int codePage;
    std::string expected;
  } cases[] = {
      {"\xC8\xE2\xE0\xED=05.03.1970", 1251, name},
      {"\xEF\xBB\xBF" + name, 1252, name},
      {name, 1252, name},
      {utf16le, 1252, "Иван=05"},
      {"Jos\xE9=\x80", 1252, "José=€"},
      {"Jos\xE9=\x80", 866, "José=€"},  // any other code page is read as 1252
      {"\x88\xA5\xB9", 1251, "€Ґ№"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeText(c.bytes, c.codePage).utf8, c.expected);
}

TEST(TextCodec, EveryByteOfBothCodePagesSurvivesARoundTrip) {
  for (int codePage : {1251, 1252}) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = AnsiToUtf8(all, codePage);
    ASSERT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToAnsi(utf8, codePage), all) << codePage;
  }
}

TEST(TextCodec, EncodingKeepsTheEncodingOrFallsBackToUtf8WithMark) {
  TextEncoding used{};
  EXPECT_EQ(EncodeText("Иван", TextEncoding::Ansi, 1251, &used), "\xC8\xE2\xE0\xED");
  EXPECT_EQ(used, TextEncoding::Ansi);
  // Cyrillic has no place in 1252: nothing is lost, the file becomes UTF-8 with a mark.
  EXPECT_EQ(EncodeText("Иван", TextEncoding::Ansi, 1252, &used), "\xEF\xBB\xBFИван");
  EXPECT_EQ(used, TextEncoding::Utf8Bom);
  EXPECT_EQ(EncodeText("Иван", TextEncoding::Utf8, 1252, &used), "Иван");
  EXPECT_EQ(used, TextEncoding::Utf8);
  EXPECT_EQ(EncodeText("x\xF0\x9F\x8E\x82", TextEncoding::Utf16Le, 1252),
            std::string("\xFF\xFEx\0\x3C\xD8\x82\xDF", 8));
  EXPECT_EQ(EncodeText("x", TextEncoding::Utf16Be, 1252), std::string("\xFE\xFF\0x", 4));
}

TEST(TextCodec, Utf16ConversionsReplaceWhatCannotBeRepresented) {
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");  // lone surrogate
  EXPECT_EQ(Utf16ToUtf8(u"\xD83C\xDF82"), "\xF0\x9F\x8E\x82");   // pair
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\xFFFD" "b");
  const std::string odd("\xFF\xFEx\0y", 5);  // odd byte at the end is dropped
  EXPECT_EQ(DecodeText(odd, 1252).utf8, "x");
}

}  // namespace
}  // namespace ormind

namespace ormind {
namespace {

// A plain validator to hold the fast one against.
bool ReferenceValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int len;
    uint32_t c, min;
    if (b < 0x80) { ++i; continue; }
    if ((b & 0xE0) == 0xC0) len = 2, c = b & 0x1F, min = 0x80;
    else if ((b & 0xF0) == 0xE0) len = 3, c = b & 0x0F, min = 0x800;
    else if ((b & 0xF8) == 0xF0) len = 4, c = b & 0x07, min = 0x10000;
    else return false;
    if (i + len > s.size()) return false;
    for (int k = 1; k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

TEST(TextCodec, FastUtf8CheckAgreesWithAPlainOneOnRandomText) {
  const char* const valid[] = {"a", "=05.03.1970\r\n", "Ж", "й", "€", "\xF0\x9F\x8E\x82", " "};
  const char* const invalid[] = {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xED\xA0\x80",
                                 "\xF5\x80\x80\x80", "\xC2", "\xFF", "\xE2\x82", "\xDF"};
  uint32_t seed = 12345;
  const auto next = [&] { return seed = seed * 1103515245 + 12345, (seed >> 16) & 0x7FFF; };
  int invalidSeen = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int pieces = static_cast<int>(next() % 60);
    const bool spoil = next() % 4 == 0;
    for (int k = 0; k < pieces; ++k) text += valid[next() % std::size(valid)];
    if (spoil) text.insert(next() % (text.size() + 1), invalid[next() % std::size(invalid)]);
    const bool expected = ReferenceValidUtf8(text);
    invalidSeen += !expected;
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // The AVX2, SSE2 and plain loops each give the same answers.
    for (VectorLoops loops : {VectorLoops::Plain, VectorLoops::Sse2, VectorLoops::Avx2}) {
      LimitVectorLoops(loops);
      ASSERT_EQ(IsValidUtf8(text), expected)
          << ::testing::PrintToString(text) << " loops " << static_cast<int>(loops);
      ASSERT_EQ(DetectEncoding(text) == TextEncoding::Utf8, expected && !ascii);
    }
  }
  EXPECT_GT(invalidSeen, 1000);
}

}  // namespace
}  // namespace ormind
