#pragma once
// Decoding and encoding of the text files the user edits: UTF-16 with a byte-order mark,
// UTF-8 with or without one, or the system's 8-bit code page (1251 or 1252).
#include <optional>
#include <string>
#include <string_view>

namespace ormind {

enum class TextEncoding {
  Ansi,     // the 8-bit code page (also plain ASCII without a byte-order mark)
  Utf8,     // valid UTF-8 with non-ASCII characters, no byte-order mark
  Utf8Bom,
  Utf16Le,  // with byte-order mark
  Utf16Be,  // with byte-order mark
};

struct DecodedText {
  std::string utf8;
  TextEncoding encoding = TextEncoding::Ansi;
};

// Tells the encoding from the bytes: byte-order marks first, then valid UTF-8, else ANSI.
TextEncoding DetectEncoding(std::string_view bytes);
DecodedText DecodeText(std::string_view bytes, int codePage);

// Encodes `utf8` in `encoding` (with its byte-order mark). Text that the 8-bit code page
// cannot hold is written as UTF-8 with a byte-order mark instead, so nothing is lost; the
// encoding actually used is returned through `used` when given.
std::string EncodeText(std::string_view utf8, TextEncoding encoding, int codePage,
                       TextEncoding* used = nullptr);

// The 8-bit code pages: 1251 (Cyrillic); any other value is taken as 1252 (Western).
std::string AnsiToUtf8(std::string_view ansi, int codePage);
// nullopt when a character has no place in the code page.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8, int codePage);

bool IsValidUtf8(std::string_view bytes);
// Both answers of one pass: valid UTF-8, and plain ASCII (not told when invalid).
struct Utf8Check {
  bool valid = true;
  bool ascii = true;
};
Utf8Check CheckUtf8(std::string_view bytes);
std::u16string Utf8ToUtf16(std::string_view utf8);       // invalid bytes become U+FFFD
std::string Utf16ToUtf8(std::u16string_view utf16);      // lone surrogates become U+FFFD

}  // namespace ormind
