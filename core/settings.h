#pragma once
// The four settings kept in settings.ini, read (and repaired) once at start.
#include <cstdint>
#include <string>

#include "base/environment.h"
#include "core/event_list.h"

namespace ormind {

struct Settings {
  std::string SettingsPath;  // UTF-8
  std::string EventsPath;    // UTF-8
  int32_t DaysBefore = 3;    // as written in the file; the day view caps it (see day_view.h)
  int32_t Lang = 1033;
  std::string PrintPicture;  // empty: the card's built-in picture
  Feb29Rule Feb29 = Feb29Rule::Feb28;  // optional key; never written by the repair
  bool Notify = true;  // optional key Notify: 0 turns the tray's notification off; never written
  int AnsiCodePage = 1252;   // the system's 8-bit code page, for files without a byte-order mark
};

// The settings as they are before the file is read: paths from APPDATA, DaysBefore 3, Lang the
// system locale, no picture.
Settings DefaultSettings(const Environment& env);

// Reads settings.ini and writes back every missing key (the optional Feb29 and Notify
// excepted). A key
// naming a file that is absent now is left as the user wrote it.
// On failure shows ConfigError (in the system locale's language) through `messages` and
// returns what was read so far (the rest default).
Settings LoadSettings(const Environment& env, FileSystem& files, MessageSink& messages);

}  // namespace ormind
