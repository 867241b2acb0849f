#pragma once
// Reading and writing INI files through the FileSystem, keeping each file's encoding.
#include <optional>
#include <string>

#include "base/environment.h"
#include "core/ini_document.h"
#include "base/text_codec.h"

namespace ormind {

struct IniFile {
  IniDocument document;
  TextEncoding encoding = TextEncoding::Ansi;  // a new file: the 8-bit code page
};

// The file's text in UTF-8 and its encoding; nullopt when the file cannot be read.
std::optional<DecodedText> ReadTextFile(const FileSystem& files, const std::string& path,
                                        int codePage);

// nullopt when the file cannot be read.
std::optional<IniFile> ReadIniFile(const FileSystem& files, const std::string& path,
                                   int codePage);
// Writes the document back in its encoding (see EncodeText); throws IniWriteError.
void WriteIniFile(FileSystem& files, const std::string& path, IniFile& file, int codePage);

}  // namespace ormind
