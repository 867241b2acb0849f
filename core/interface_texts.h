#pragma once
// Every text the program shows at run time, in Russian and English.
#include <array>
#include <cstdint>
#include <string>

namespace ormind {

enum class TextId {
  PrevDate, NextDate, EditEvents, PrintGreeting, ChangeSettings, MinimizeToIcon, Close,
  Today, IsTheBirthday, NoBirthdays, OtherEvents, NoEvents, NameDay, Show, Minimize,
  DataError, DataFileMissing, EventsFileMissing, ConfigError, Salutation, GreetingText,
  Signature, CannotOpenFile,
  // The tray icon's tooltip on a day with birthdays, in the three plural forms a language may
  // need: one (1, 21, ...), few (2-4, 22-24, ...), many (5-20, 25-30, ...).
  BirthdaysTodayOne, BirthdaysTodayFew, BirthdaysTodayMany,
  MoreEntries,  // the last line of a notification that cannot hold every entry
  Count_
};

constexpr int32_t kRussianLocale = 1049;

class InterfaceTexts {
 public:
  explicit InterfaceTexts(int32_t lang);  // 1049 Russian, anything else English
  bool IsRussian() const { return russian_; }
  // UTF-8. The three messages that name the event list file hold "%s" where the file goes:
  // use the functions below for them.
  const std::string& operator[](TextId id) const;
  // Message texts that name the event list file: the actual path is put where the file
  // name goes.
  std::string DataError(const std::string& eventsPath) const;
  std::string DataFileMissing(const std::string& eventsPath) const;
  std::string EventsFileMissing(const std::string& eventsPath) const;
  // Neither the associated program nor Notepad could open `path`.
  std::string CannotOpenFile(const std::string& path) const;
  // "Ormind — 2 birthdays today", with the plural form the count takes.
  std::string BirthdaysToday(int count) const;
  // "… and 3 more": the entries a notification had no room for.
  std::string MoreEntries(int count) const;

 private:
  bool russian_;
  std::array<std::string, static_cast<size_t>(TextId::Count_)> texts_;
};

}  // namespace ormind
