#include "core/ini_file.h"

namespace ormind {

std::optional<IniFile> ReadIniFile(const FileSystem& files, const std::string& path,
                                   int codePage) {
  std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) return std::nullopt;
  IniFile file;
  file.encoding = DetectEncoding(*bytes);
  // ASCII and UTF-8 text is used as it is, without a copy.
  const bool asIs = file.encoding == TextEncoding::Utf8 ||
                    (file.encoding == TextEncoding::Ansi && IsValidUtf8(*bytes));
  file.document = IniDocument(asIs ? std::move(*bytes) : DecodeText(*bytes, codePage).utf8);
  return file;
}

void WriteIniFile(FileSystem& files, const std::string& path, IniFile& file, int codePage) {
  TextEncoding used = file.encoding;
  const std::string bytes = EncodeText(file.document.Text(), file.encoding, codePage, &used);
  files.ReplaceAll(path, bytes);
  file.encoding = used;
}

}  // namespace ormind
