// Fuzzes loading settings.ini. The first input byte chooses the system (code page, locale) and
// which of the files the settings name exist, and whether the settings file may be written;
// the rest is the file, any bytes in any encoding. Loading must not crash; loading again what
// the first load left must give the same settings and leave the file as it is; and a value
// the user wrote for the events file or the picture is still there, whether that file exists
// or not.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "core/settings.h"
#include "tests/core/fakes.h"

using namespace ormind;
using namespace ormind::testing;

namespace {

const std::string kFolder = "/home/u/AppData/Ormind";
const std::string kPath = kFolder + "/settings.ini";

bool SameSettings(const Settings& a, const Settings& b) {
  return a.SettingsPath == b.SettingsPath && a.EventsPath == b.EventsPath &&
         a.DaysBefore == b.DaysBefore && a.Lang == b.Lang && a.PrintPicture == b.PrintPicture &&
         a.Feb29 == b.Feb29 && a.Notify == b.Notify && a.AnsiCodePage == b.AnsiCodePage;
}

std::optional<std::string> ValueIn(const FakeFileSystem& files, int codePage, const char* key) {
  const std::optional<IniFile> file = ReadIniFile(files, kPath, codePage);
  if (!file || !file->document.HasKey("settings", key)) return std::nullopt;
  return std::string(file->document.ReadString("settings", key).value_or(""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  FakeEnvironment env;
  env.codePage = choice & 1 ? 1251 : 1252;
  env.locale = choice & 2 ? 1049 : 1033;
  FakeFileSystem files;
  files.folders.insert(kFolder);
  files.files[kPath] = std::string(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (choice & 4) files.readOnly.insert(kPath);

  // What the user wrote for the two files, before the program touches anything.
  const std::optional<std::string> events = ValueIn(files, env.codePage, "EventsFile");
  const std::optional<std::string> picture = ValueIn(files, env.codePage, "PrintPicture");
  if (choice & 8 && events) files.files[*events] = "";
  if (choice & 16 && picture) files.files[*picture] = "";
  files.files[kPath] = std::string(reinterpret_cast<const char*>(data) + 1, size - 1);

  RecordingMessages messages;
  const Settings first = LoadSettings(env, files, messages);
  const std::string left = files.files[kPath];
  const Settings second = LoadSettings(env, files, messages);
  if (!SameSettings(first, second) || files.files[kPath] != left) __builtin_trap();
  // A message is shown only when a repair could not be written.
  if (!messages.shown.empty() && !(choice & 4)) __builtin_trap();

  for (const auto& [key, written] : {std::pair{"EventsFile", events}, {"PrintPicture", picture}})
    if (written && !written->empty() && ValueIn(files, env.codePage, key) != written)
      __builtin_trap();
  return 0;
}
