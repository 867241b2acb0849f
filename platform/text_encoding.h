#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 call.
#include <string>
#include <string_view>

namespace ormind {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace ormind
