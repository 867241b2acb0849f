#include "contacts/entry_name.h"

#include "base/text_codec.h"

namespace ormind {
namespace {

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

}  // namespace

CleanedName CleanEntryName(std::string_view utf8) {
  CleanedName result;
  const std::u16string wide = Utf8ToUtf16(utf8);
  std::u16string clean;
  size_t blankRun = 0;  // blanks seen since the last character kept
  for (char16_t c : wide) {
    if (c == u' ' || IsControl(c)) {
      if (IsControl(c)) result.changed = true;
      ++blankRun;
      continue;
    }
    if (clean.empty() && (c == u'=' || c == u'[' || c == u';')) {
      result.changed = true;
      blankRun = 0;
      continue;
    }
    if (blankRun > 0 && !clean.empty()) {
      if (blankRun > 1) result.changed = true;
      clean += u' ';
    }
    blankRun = 0;
    if (c == u'=') {
      c = u'-';
      result.changed = true;
    }
    clean += c;
  }
  result.name = Utf16ToUtf8(clean);
  if (!IsValidUtf8(utf8)) result.changed = true;
  size_t characters = 0;
  for (unsigned char byte : result.name) characters += (byte & 0xC0) != 0x80;
  if (characters > kMaxEntryNameLength) {
    result.tooLong = true;
    result.name.clear();
  }
  return result;
}

}  // namespace ormind
