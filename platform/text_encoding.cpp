#include "platform/text_encoding.h"

#include "base/text_codec.h"

namespace ormind {

// One conversion for the whole program: the core's, which turns invalid input into U+FFFD.
// wchar_t is UTF-16 on Windows.
std::wstring Utf8ToWide(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string WideToUtf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace ormind
