#include "platform/console_output.h"

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "base/text_codec.h"
#else
#include <cstdio>
#endif

namespace ormind {

#ifdef _WIN32
void WriteText(Stream stream, std::string_view utf8) {
  const HANDLE handle = GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::u16string units = Utf8ToUtf16(utf8);
    WriteConsoleW(handle, units.data(), static_cast<DWORD>(units.size()), &written, nullptr);
    return;
  }
  size_t done = 0;
  while (done < utf8.size()) {
    const DWORD chunk = static_cast<DWORD>(utf8.size() - done > (1u << 30) ? (1u << 30) : utf8.size() - done);
    if (!WriteFile(handle, utf8.data() + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
}

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view arg(argv[i]);
    args.push_back(Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(arg.data()), arg.size())));
  }
  return args;
}
#else
void WriteText(Stream stream, std::string_view utf8) {
  std::FILE* file = stream == Stream::Out ? stdout : stderr;
  std::fwrite(utf8.data(), 1, utf8.size(), file);
  std::fflush(file);
}
#endif

}  // namespace ormind
