#include "base/text_codec.h"

#include <array>
#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif


#include "base/code_pages.h"
#include "base/cpu_features.h"

namespace ormind {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `i`, advancing it; returns nullopt-like U+FFFD for a bad
// sequence (overlong, surrogate, beyond U+10FFFF, truncated) after consuming one byte.
char32_t NextUtf8(std::string_view s, size_t& i, bool& ok) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  ok = true;
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int length = 0;
  char32_t c = 0, min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, c = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, c = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, c = b0 & 0x07, min = 0x10000;
  }
  if (length == 0 || i + length > s.size()) {
    ok = false;
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ok = false;
      ++i;
      return kReplacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ok = false;
    ++i;
    return kReplacement;
  }
  i += length;
  return c;
}

// The UTF-8 form of every byte of a code page, built once per code page.
struct AnsiDecoder {
  std::array<std::array<char, 4>, 128> bytes{};
  std::array<uint8_t, 128> lengths{};
  explicit AnsiDecoder(int codePage) {
    const CodePageHalf& half = UpperHalfOf(codePage);
    for (int i = 0; i < 128; ++i) {
      std::string u;
      AppendUtf8(u, half[i]);
      lengths[i] = static_cast<uint8_t>(u.size());
      std::memcpy(bytes[i].data(), u.data(), u.size());
    }
  }
};

const AnsiDecoder& DecoderFor(int codePage) {
  static const AnsiDecoder cp1251(1251), cp1252(1252);
  return codePage == 1251 ? cp1251 : cp1252;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  return Utf16ToUtf8(units);
}

std::string EncodeUtf16(std::string_view utf8, bool bigEndian) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  out.reserve(2 + units.size() * 2);
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

bool HasPrefix(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

namespace {

using Utf8Scan = Utf8Check;

// Checks one sequence at a time from `i`; stops at `stop` (a sequence may run past it).
bool ScanSequences(std::string_view bytes, size_t& i, size_t stop, Utf8Scan& scan) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  while (i < stop) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    scan.ascii = false;
    if (b >= 0xC2 && b <= 0xDF && i + 1 < bytes.size() && (p[i + 1] & 0xC0) == 0x80) {
      i += 2;
      continue;
    }
    bool ok;
    NextUtf8(bytes, i, ok);
    if (!ok) return false;
  }
  return true;
}

#if defined(ORMIND_AVX2_LOOPS)
// The common case of ScanUtf8 (ASCII and two-byte sequences only), thirty-two bytes at a
// time, on processors that have AVX2. Stops at the first block that holds anything else, or
// that is not valid, and leaves that block to the general loop; `pending` tells whether the
// byte at `i` must be a continuation byte.
__attribute__((target("avx2"))) size_t ScanTwoByteUtf8Avx2(const unsigned char* p, size_t i,
                                                            size_t n, unsigned& pending,
                                                            bool& ascii) {
  const __m256i above7F = _mm256_set1_epi8(static_cast<char>(0xBF));
  const __m256i aboveDF = _mm256_set1_epi8(static_cast<char>(0xDF));
  const __m256i c0 = _mm256_set1_epi8(static_cast<char>(0xC0));
  const __m256i c1 = _mm256_set1_epi8(static_cast<char>(0xC1));
  for (; i + 32 <= n; i += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    const auto high = static_cast<uint32_t>(_mm256_movemask_epi8(v));
    if (high == 0 && !pending) continue;
    const __m256i overlong = _mm256_or_si256(_mm256_cmpeq_epi8(v, c0), _mm256_cmpeq_epi8(v, c1));
    const auto lead =
        high & static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(v, above7F)));
    const auto other = high & static_cast<uint32_t>(_mm256_movemask_epi8(
                                  _mm256_or_si256(_mm256_cmpgt_epi8(v, aboveDF), overlong)));
    if (other || (high & ~lead) != ((lead << 1) | pending)) break;
    if (high) ascii = false;
    pending = lead >> 31;
  }
  return i;
}
#endif

// One pass over the bytes: valid UTF-8 or not, plain ASCII or not. Sixteen bytes at a time
// where they are ASCII or two-byte sequences (Latin, Cyrillic); anything else one sequence at
// a time.
Utf8Scan ScanUtf8(std::string_view bytes) {
  Utf8Scan scan;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
#if defined(__SSE2__)
  unsigned pending = 0;  // the last block ended with a lead byte
#if defined(ORMIND_AVX2_LOOPS)
  if (HasAvx2()) i = ScanTwoByteUtf8Avx2(p, i, n, pending, scan.ascii);
#endif
  const __m128i above7F = _mm_set1_epi8(static_cast<char>(0xBF));
  const __m128i aboveDF = _mm_set1_epi8(static_cast<char>(0xDF));
  const __m128i c0 = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i c1 = _mm_set1_epi8(static_cast<char>(0xC1));
  const size_t sse2End = VectorLoopsAllowed(VectorLoops::Sse2) ? n : 0;
  while (i + 16 <= sse2End) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
    if (high == 0 && !pending) {
      i += 16;
      continue;
    }
    // As signed bytes, lead bytes (0xC0..0xFF) are the high bytes above 0xBF (-65), and
    // leads of longer sequences (0xE0..0xFF) those above 0xDF (-33).
    const unsigned lead =
        high & static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(v, above7F)));
    const unsigned other =
        high & static_cast<unsigned>(
                   _mm_movemask_epi8(_mm_cmpgt_epi8(v, aboveDF)) |
                   _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, c0), _mm_cmpeq_epi8(v, c1))));
    if (other) {
      // Longer or overlong sequences: one at a time through this block.
      if (pending) {
        if ((p[i] & 0xC0) != 0x80) return {false, false};
        ++i;
        pending = 0;
      }
      if (!ScanSequences(bytes, i, std::min(i + 16, n), scan)) return {false, false};
      continue;
    }
    if (high) scan.ascii = false;
    // Two-byte sequences only: each continuation byte follows a lead byte.
    const unsigned continuation = high & ~lead;
    if (continuation != (((lead << 1) | pending) & 0xFFFF)) return {false, false};
    pending = lead >> 15;
    i += 16;
  }
  if (pending) {
    if (i >= n || (p[i] & 0xC0) != 0x80) return {false, false};
    ++i;
  }
#endif
  if (!ScanSequences(bytes, i, n, scan)) return {false, false};
  return scan;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) { return ScanUtf8(bytes).valid; }
Utf8Check CheckUtf8(std::string_view bytes) { return ScanUtf8(bytes); }

TextEncoding DetectEncoding(std::string_view bytes) {
  if (HasPrefix(bytes, "\xFF\xFE")) return TextEncoding::Utf16Le;
  if (HasPrefix(bytes, "\xFE\xFF")) return TextEncoding::Utf16Be;
  if (HasPrefix(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
  const Utf8Scan scan = ScanUtf8(bytes);
  return scan.valid && !scan.ascii ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

DecodedText DecodeText(std::string_view bytes, int codePage) {
  DecodedText decoded;
  decoded.encoding = DetectEncoding(bytes);
  switch (decoded.encoding) {
    case TextEncoding::Utf16Le:
      decoded.utf8 = DecodeUtf16(bytes.substr(2), false);
      break;
    case TextEncoding::Utf16Be:
      decoded.utf8 = DecodeUtf16(bytes.substr(2), true);
      break;
    case TextEncoding::Utf8Bom:
      // Invalid sequences after the mark become U+FFFD.
      decoded.utf8 = Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));
      break;
    case TextEncoding::Utf8:
      decoded.utf8 = std::string(bytes);
      break;
    case TextEncoding::Ansi:
      decoded.utf8 = AnsiToUtf8(bytes, codePage);
      break;
  }
  return decoded;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding, int codePage,
                       TextEncoding* used) {
  if (encoding == TextEncoding::Ansi) {
    if (std::optional<std::string> ansi = Utf8ToAnsi(utf8, codePage)) {
      if (used) *used = TextEncoding::Ansi;
      return std::move(*ansi);
    }
    encoding = TextEncoding::Utf8Bom;
  }
  if (used) *used = encoding;
  switch (encoding) {
    case TextEncoding::Utf16Le:
      return EncodeUtf16(utf8, false);
    case TextEncoding::Utf16Be:
      return EncodeUtf16(utf8, true);
    case TextEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + std::string(utf8);
    default:
      return std::string(utf8);
  }
}

std::string AnsiToUtf8(std::string_view ansi, int codePage) {
  const AnsiDecoder& decoder = DecoderFor(codePage);
  std::string out;
  out.resize(ansi.size() * 3);
  char* p = out.data();
  for (char ch : ansi) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      *p++ = ch;
    } else {
      const int k = b - 0x80;
      std::memcpy(p, decoder.bytes[k].data(), 3);
      p += decoder.lengths[k];
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8, int codePage) {
  const CodePageHalf& half = UpperHalfOf(codePage);
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    bool ok;
    const char32_t c = NextUtf8(utf8, i, ok);
    if (!ok) return std::nullopt;
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    int found = -1;
    for (int k = 0; k < 128 && found < 0; ++k)
      if (half[k] == c) found = k;
    if (found < 0) return std::nullopt;
    out += static_cast<char>(0x80 + found);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    bool ok;
    char32_t c = NextUtf8(utf8, i, ok);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace ormind
