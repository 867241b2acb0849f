#include "core/settings.h"

#include <exception>
#include <optional>

#include "core/ini_file.h"
#include "base/integer_text.h"
#include "core/interface_texts.h"

namespace ormind {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

constexpr const char* kSection = "settings";

class SettingsFailure : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The settings file while it is being read and repaired; every repair is written at once, so
// a refused write stops the repairs that follow it.
class SettingsFile {
 public:
  SettingsFile(FileSystem& files, std::string path, int codePage, std::optional<IniFile> file)
      : files_(files), path_(std::move(path)), codePage_(codePage), file_(std::move(file)) {}

  bool HasKey(const char* key) const { return file_->document.HasKey(kSection, key); }
  std::string Read(const char* key, std::string_view fallback) const {
    return file_->document.ReadString(kSection, key, fallback);
  }
  // Writing what the key already holds changes nothing, so it is not written (a read-only
  // file in good order gives no error).
  void Write(const char* key, const std::string& value) {
    const std::optional<std::string_view> current = file_->document.ReadString(kSection, key);
    if (current && *current == value && HasKey(key)) return;
    file_->document.WriteString(kSection, key, value);
    WriteIniFile(files_, path_, *file_, codePage_);
  }

 private:
  FileSystem& files_;
  std::string path_;
  int codePage_;
  std::optional<IniFile> file_;
};

void RepairExistingFile(SettingsFile& file, const Environment& env, const FileSystem& files,
                        Settings& settings) {
  // A path the user wrote is kept even when its file is absent today (a drive not attached,
  // a typo): the day view then names that file. Only an empty value is filled in.
  const std::string events = file.HasKey("EventsFile") ? file.Read("EventsFile", "") : "";
  if (!events.empty())
    settings.EventsPath = events;
  else
    file.Write("EventsFile", settings.EventsPath);

  if (file.HasKey("DaysBefore"))
    settings.DaysBefore = ParseIntegerSetting(file.Read("DaysBefore", ""), 3);
  else
    file.Write("DaysBefore", "3");

  const int32_t systemLocale = env.SystemLocale();
  if (file.HasKey("Lang"))
    settings.Lang = ParseIntegerSetting(file.Read("Lang", ""), systemLocale);
  else
    file.Write("Lang", std::to_string(systemLocale));

  // A picture that is absent now is left in the file; this run uses the built-in one.
  if (file.HasKey("PrintPicture")) {
    const std::string named = file.Read("PrintPicture", "");
    if (files.IsRegularFile(named)) settings.PrintPicture = named;
  } else {
    file.Write("PrintPicture", "");
  }

  // Optional: never added, read when present.
  if (file.HasKey("Feb29")) settings.Feb29 = ParseFeb29Rule(file.Read("Feb29", ""));
  // Any value but a number reads as the default, 1 (on), as DaysBefore's does.
  if (file.HasKey("Notify")) settings.Notify = ParseIntegerSetting(file.Read("Notify", ""), 1) != 0;
}

void WriteNewFile(SettingsFile& file, const Environment& env, const Settings& settings) {
  file.Write("EventsFile", settings.EventsPath);
  file.Write("DaysBefore", "3");
  file.Write("Lang", std::to_string(env.SystemLocale()));
  file.Write("PrintPicture", "");
}

}  // namespace

Settings DefaultSettings(const Environment& env) {
  Settings settings;
  const std::string folder =
      env.AppData().value_or("") + kSeparator + "Ormind" + kSeparator;
  settings.SettingsPath = folder + "settings.ini";
  settings.EventsPath = folder + "events.txt";
  settings.DaysBefore = 3;
  settings.Lang = env.SystemLocale();
  settings.AnsiCodePage = env.AnsiCodePage();
  return settings;
}

Settings LoadSettings(const Environment& env, FileSystem& files, MessageSink& messages) {
  Settings settings = DefaultSettings(env);
  const int codePage = env.AnsiCodePage();
  try {
    if (files.IsRegularFile(settings.SettingsPath)) {
      std::optional<IniFile> read = ReadIniFile(files, settings.SettingsPath, codePage);
      if (!read) throw SettingsFailure("Unable to read " + settings.SettingsPath);
      SettingsFile file(files, settings.SettingsPath, codePage, std::move(read));
      RepairExistingFile(file, env, files, settings);
    } else {
      SettingsFile file(files, settings.SettingsPath, codePage, IniFile{});
      WriteNewFile(file, env, settings);
    }
  } catch (const std::exception&) {
    // The interface language is not applied yet: the system's language is used.
    messages.ShowMessage(InterfaceTexts(env.SystemLocale())[TextId::ConfigError]);
  }
  return settings;
}

}  // namespace ormind
