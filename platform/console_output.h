#pragma once
// UTF-8 text to standard output or standard error, byte for byte (no line-ending changes);
// on a Windows console as UTF-16 so that every character shows.
#include <string_view>

namespace ormind {

enum class Stream { Out, Err };

void WriteText(Stream stream, std::string_view utf8);

}  // namespace ormind
