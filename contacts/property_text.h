#pragma once
// A property's value as text: quoted-printable undone, the charset it names turned into UTF-8,
// and the backslash escapes of the text values undone.
#include <string>
#include <string_view>
#include <vector>

#include "contacts/content_lines.h"

namespace ormind {

std::string DecodeQuotedPrintable(std::string_view value);

// The bytes in the charset the line names (CHARSET=UTF-8, WINDOWS-1251, ...) as UTF-8. Without
// a charset, valid UTF-8 stays as it is and anything else is read in `codePage`, as the older
// mail programs write it. `unknownCharset` is set when the charset named is not one known
// here (the bytes are then read the same way as without one).
std::string CharsetToUtf8(std::string_view bytes, std::string_view charset, int codePage,
                          bool* unknownCharset = nullptr);

// The value split at unescaped ";" into components, each with "\\", "\,", "\;" and "\n" undone.
std::vector<std::string> SplitTextComponents(std::string_view value);
// The whole value with its escapes undone (";" kept).
std::string UnescapeText(std::string_view value);

// The line's value decoded to UTF-8 (quoted-printable and charset), escapes still in place.
std::string DecodedValue(const ContentLine& line, int codePage, bool* unknownCharset = nullptr);

}  // namespace ormind
