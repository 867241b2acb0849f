#include "contacts/property_text.h"

#include "base/text_codec.h"

namespace ormind {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char Unescaped(char c) { return c == 'n' || c == 'N' ? '\n' : c; }

}  // namespace

std::string DecodeQuotedPrintable(std::string_view value) {
  std::string bytes;
  bytes.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '=' && i + 2 < value.size()) {
      const int high = HexDigit(value[i + 1]), low = HexDigit(value[i + 2]);
      if (high >= 0 && low >= 0) {
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    bytes += value[i];
  }
  return bytes;
}

std::string CharsetToUtf8(std::string_view bytes, std::string_view charset, int codePage,
                          bool* unknownCharset) {
  if (unknownCharset) *unknownCharset = false;
  const std::string upper = AsciiUpper(charset);
  if (upper == "WINDOWS-1251" || upper == "CP1251" || upper == "CP-1251")
    return AnsiToUtf8(bytes, 1251);
  if (upper == "WINDOWS-1252" || upper == "CP1252" || upper == "ISO-8859-1" ||
      upper == "LATIN1")
    return AnsiToUtf8(bytes, 1252);
  const bool known = upper.empty() || upper == "UTF-8" || upper == "US-ASCII";
  if (!known && unknownCharset) *unknownCharset = true;
  if (IsValidUtf8(bytes)) return std::string(bytes);
  // Invalid UTF-8 marked as UTF-8 becomes U+FFFD where it breaks, rather than a guess.
  if (upper == "UTF-8") return Utf16ToUtf8(Utf8ToUtf16(bytes));
  return AnsiToUtf8(bytes, codePage);
}

std::vector<std::string> SplitTextComponents(std::string_view value) {
  std::vector<std::string> components(1);
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      components.back() += Unescaped(value[++i]);
    } else if (value[i] == ';') {
      components.emplace_back();
    } else {
      components.back() += value[i];
    }
  }
  return components;
}

std::string UnescapeText(std::string_view value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size())
      text += Unescaped(value[++i]);
    else
      text += value[i];
  }
  return text;
}

std::string DecodedValue(const ContentLine& line, int codePage, bool* unknownCharset) {
  const std::string bytes =
      line.IsQuotedPrintable() ? DecodeQuotedPrintable(line.value) : line.value;
  return CharsetToUtf8(bytes, line.Parameter("CHARSET"), codePage, unknownCharset);
}

}  // namespace ormind
