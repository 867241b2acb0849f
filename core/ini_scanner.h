#pragma once
// The line rules of the INI engine, in one place: splits a text into lines and classifies each
// one, without allocating. IniDocument keeps the lines it is told about; the event list reader
// streams over them.
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/cpu_features.h"

namespace ormind {

// Blanks as the profile functions see them, Ctrl-Z (an old end-of-file mark) included.
constexpr bool IsIniBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == 0x1A;
}

// Offset of the first `a` or `b` in p[from, size), or size. Sixteen bytes at a time where the
// processor allows.
inline size_t FindEither(const char* p, size_t from, size_t size, char a, char b) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b);
  const size_t sse2End = VectorLoopsAllowed(VectorLoops::Sse2) ? size : 0;
  while (from + 16 <= sse2End) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
    const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)));
    if (hits) return from + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
    from += 16;
  }
#endif
  while (from < size && p[from] != a && p[from] != b) ++from;
  return from;
}

enum class IniLineKind : uint8_t { Blank, Section, Entry, NoEquals, Comment };

// Offsets into the scanned text.
struct IniLine {
  uint32_t begin = 0, end = 0;            // the line without its line break
  uint32_t nameBegin = 0, nameEnd = 0;    // section name or key name, trimmed
  uint32_t valueBegin = 0, valueEnd = 0;  // raw value, trimmed (entries and comments)
  IniLineKind kind = IniLineKind::Blank;
};

// The line base[begin, end) (without its line break) classified: a line starting with "["
// that holds a "]" names a section (the text up to the last "]", trimmed); a line with "=" is
// an entry split at the first "=" (a comment when it starts with ";"); other lines are
// comments (";") or have no "=".
inline IniLine ClassifyIniLine(const char* base, size_t begin, size_t end) {
  IniLine line;
  line.begin = static_cast<uint32_t>(begin);
  line.end = static_cast<uint32_t>(end);
  size_t b = begin, e = end;
  while (b < e && IsIniBlank(base[b])) ++b;
  while (e > b && IsIniBlank(base[e - 1])) --e;
  if (b == e) {
    line.kind = IniLineKind::Blank;
  } else if (base[b] == '[' && e - b > 1 && std::memchr(base + b + 1, ']', e - b - 1)) {
    size_t close = e - 1;
    while (base[close] != ']') --close;
    size_t nameBegin = b + 1;
    while (nameBegin < close && IsIniBlank(base[nameBegin])) ++nameBegin;
    while (close > nameBegin && IsIniBlank(base[close - 1])) --close;
    line.kind = IniLineKind::Section;
    line.nameBegin = static_cast<uint32_t>(nameBegin);
    line.nameEnd = static_cast<uint32_t>(close);
  } else if (const size_t at = FindEither(base, b, e, '=', '='); at < e) {
    size_t nameEnd = at, valueBegin = at + 1;
    while (nameEnd > b && IsIniBlank(base[nameEnd - 1])) --nameEnd;
    while (valueBegin < e && IsIniBlank(base[valueBegin])) ++valueBegin;
    // A comment is never listed, but like the profile functions a lookup of its exact
    // text before "=" finds it.
    line.kind = base[b] == ';' ? IniLineKind::Comment : IniLineKind::Entry;
    line.nameBegin = static_cast<uint32_t>(b);
    line.nameEnd = static_cast<uint32_t>(nameEnd);
    line.valueBegin = static_cast<uint32_t>(valueBegin);
    line.valueEnd = static_cast<uint32_t>(e);
  } else {
    line.kind = base[b] == ';' ? IniLineKind::Comment : IniLineKind::NoEquals;
    line.nameBegin = static_cast<uint32_t>(b);
    line.nameEnd = static_cast<uint32_t>(e);
  }
  return line;
}

// Offset one past the line break at `end` (CR LF taken whole), or size at the end.
inline size_t AfterLineBreak(const char* base, size_t end, size_t size) {
  if (end == size) return size;
  return base[end] == '\r' && end + 1 < size && base[end + 1] == '\n' ? end + 2 : end + 1;
}

// Lines end at CR, LF or CR LF; each is classified as ClassifyIniLine says.
template <typename Visit>
void ScanIniLines(std::string_view text, Visit&& visit) {
  const char* const base = text.data();
  const size_t size = text.size();
  size_t pos = 0;
  while (pos < size) {
    const size_t end = FindEither(base, pos, size, '\n', '\r');
    visit(ClassifyIniLine(base, pos, end));
    pos = AfterLineBreak(base, end, size);
  }
}

// A value without the quotation marks around it ('x' or "x").
constexpr std::string_view StripIniQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace ormind
