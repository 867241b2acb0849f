// Fuzzes the text codec. The first input byte picks the code page; the rest is a file.
// - Decoding, encoding in the encoding found and decoding again gives the same text, and the
//   encoding the writer reports using is the one the second read finds.
// - The UTF-8 check (with its AVX2, SSE2 and plain loops) agrees with a byte-by-byte checker
//   written from the definition of UTF-8, and so does the ASCII answer.
// - Valid UTF-8 goes to UTF-16 and back unchanged; the 8-bit code pages round-trip.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/cpu_features.h"
#include "base/text_codec.h"

using namespace ormind;

namespace {

// Well-formed UTF-8, one byte at a time: the lead byte gives the length and the range its
// first continuation byte may take (no overlong forms, no surrogates, nothing past U+10FFFF).
bool PlainIsValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const unsigned char b = p[i];
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (b < 0x80) length = 1;
    else if (b >= 0xC2 && b <= 0xDF) length = 2;
    else if (b == 0xE0) length = 3, low = 0xA0;
    else if (b >= 0xE1 && b <= 0xEC) length = 3;
    else if (b == 0xED) length = 3, high = 0x9F;
    else if (b >= 0xEE && b <= 0xEF) length = 3;
    else if (b == 0xF0) length = 4, low = 0x90;
    else if (b >= 0xF1 && b <= 0xF3) length = 4;
    else if (b == 0xF4) length = 4, high = 0x8F;
    else return false;
    if (n - i < length) return false;
    if (length > 1 && (p[i + 1] < low || p[i + 1] > high)) return false;
    for (size_t k = 2; k < length; ++k)
      if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
    i += length;
  }
  return true;
}

bool PlainIsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void CheckUtf8Checks(std::string_view bytes) {
  const bool valid = PlainIsValidUtf8(bytes);
  for (VectorLoops loops : {VectorLoops::Plain, VectorLoops::Sse2, VectorLoops::Avx2}) {
    LimitVectorLoops(loops);
    const Utf8Check check = CheckUtf8(bytes);
    if (check.valid != valid || IsValidUtf8(bytes) != valid) __builtin_trap();
    if (valid && check.ascii != PlainIsAscii(bytes)) __builtin_trap();
  }
  LimitVectorLoops(VectorLoops::Avx2);
}

void CheckRoundTrip(std::string_view bytes, int codePage) {
  const DecodedText first = DecodeText(bytes, codePage);
  if (!PlainIsValidUtf8(first.utf8)) __builtin_trap();
  TextEncoding used = first.encoding;
  const std::string written = EncodeText(first.utf8, first.encoding, codePage, &used);
  const DecodedText second = DecodeText(written, codePage);
  if (second.utf8 != first.utf8) __builtin_trap();
  // Plain ASCII written as UTF-8 reads back as the code page: the same text either way.
  if (second.encoding != used && !(used == TextEncoding::Utf8 && PlainIsAscii(written)))
    __builtin_trap();
}

void CheckConversions(std::string_view bytes, int codePage) {
  if (PlainIsValidUtf8(bytes) && Utf16ToUtf8(Utf8ToUtf16(bytes)) != bytes) __builtin_trap();
  const std::string fromAnsi = AnsiToUtf8(bytes, codePage);
  const std::optional<std::string> back = Utf8ToAnsi(fromAnsi, codePage);
  if (!back || *back != bytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int codePage = data[0] & 1 ? 1251 : 1252;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckUtf8Checks(bytes);
  CheckRoundTrip(bytes, codePage);
  CheckConversions(bytes, codePage);
  return 0;
}
