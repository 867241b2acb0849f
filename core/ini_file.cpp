#include "core/ini_file.h"

namespace ormind {

std::optional<DecodedText> ReadTextFile(const FileSystem& files, const std::string& path,
                                        int codePage) {
  std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) return std::nullopt;
  DecodedText text;
  text.encoding = DetectEncoding(*bytes);
  // UTF-8 and plain ASCII are used as they are, without a copy.
  const bool asIs = text.encoding == TextEncoding::Utf8 ||
                    (text.encoding == TextEncoding::Ansi && IsValidUtf8(*bytes));
  text.utf8 = asIs ? std::move(*bytes) : DecodeText(*bytes, codePage).utf8;
  return text;
}

std::optional<IniFile> ReadIniFile(const FileSystem& files, const std::string& path,
                                   int codePage) {
  std::optional<DecodedText> text = ReadTextFile(files, path, codePage);
  if (!text) return std::nullopt;
  return IniFile{IniDocument(std::move(text->utf8)), text->encoding};
}

void WriteIniFile(FileSystem& files, const std::string& path, IniFile& file, int codePage) {
  TextEncoding used = file.encoding;
  const std::string bytes = EncodeText(file.document.Text(), file.encoding, codePage, &used);
  files.ReplaceAll(path, bytes);
  file.encoding = used;
}

}  // namespace ormind
