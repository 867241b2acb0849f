#pragma once
// UTF-8 text to standard output or standard error, byte for byte (no line-ending changes);
// on a Windows console as UTF-16 so that every character shows.
#include <string>
#include <string_view>
#include <vector>

namespace ormind {

enum class Stream { Out, Err };

void WriteText(Stream stream, std::string_view utf8);

#ifdef _WIN32
// A program's arguments (after its own name), which arrive as UTF-16, as UTF-8, so any file
// name works.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace ormind
