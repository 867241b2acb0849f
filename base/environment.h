#pragma once
// What the reminder core needs from the platform: the environment, the clock, the files the
// user edits and a place to show messages. The program implements these with the system's
// calls (platform/system_services.h); tests implement them with fakes.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/day.h"

namespace ormind {

// A settings write the platform refused; the message is "Unable to write to <path>".
class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::string& path)
      : std::runtime_error("Unable to write to " + path) {}
  // The old file was lost on the way; the new contents are kept in `keptIn`.
  IniWriteError(const std::string& path, const std::string& keptIn)
      : std::runtime_error("Unable to write to " + path + ". The new contents are kept in " +
                           keptIn) {}
};

// The application-data folder and the system locale.
class Environment {
 public:
  virtual ~Environment() = default;
  virtual std::optional<std::string> AppData() const = 0;  // UTF-8; nullopt when unset
  virtual int32_t SystemLocale() const = 0;                 // e.g. 1049, 1033
  virtual int AnsiCodePage() const = 0;                     // 1251 or 1252 ...
  // The folder the running program was started from, with its trailing separator; empty when
  // it cannot be told.
  virtual std::string ProgramFolder() const = 0;
};

// The system's current date, without the time of day.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Day Today() const = 0;
};

// Files the user edits; paths are UTF-8.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool IsRegularFile(const std::string& path) const = 0;
  // The whole file; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadAll(const std::string& path) const = 0;
  // The whole file in pieces, in order, for a large file read once; false when it cannot be
  // read (what was handed over before a failure stays handed over). By default one piece.
  virtual bool ReadPieces(const std::string& path,
                          const std::function<void(std::string_view)>& consume) const {
    const std::optional<std::string> bytes = ReadAll(path);
    if (bytes) consume(*bytes);
    return bytes.has_value();
  }
  // Replaces the file in one step (temporary file in the same folder, then rename); a
  // read-only file is refused. Throws IniWriteError on failure.
  virtual void ReplaceAll(const std::string& path, const std::string& bytes) = 0;
  // Makes a folder whose parent exists; true when it is there afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Writes a file that must not exist yet: false, with nothing changed, when it already does
  // or cannot be written.
  virtual bool CreateNewFile(const std::string& path, const std::string& bytes) = 0;
};

// A message box titled "Ormind!".
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& utf8Text) = 0;
};

}  // namespace ormind
