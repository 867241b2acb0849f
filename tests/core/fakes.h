#pragma once
// Recording fakes of the core's platform interfaces.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/day_view.h"
#include "base/environment.h"

namespace ormind::testing {

class FakeEnvironment : public Environment {
 public:
  std::optional<std::string> appData = "/home/u/AppData";
  int32_t locale = 1033;
  int codePage = 1252;
  std::optional<std::string> AppData() const override { return appData; }
  int32_t SystemLocale() const override { return locale; }
  int AnsiCodePage() const override { return codePage; }
  std::string programFolder = "/opt/Ormind/";
  std::string ProgramFolder() const override { return programFolder; }
};

class FakeClock : public Clock {
 public:
  explicit FakeClock(Day today = 0) : today(today) {}
  Day today;
  Day Today() const override { return today; }
};

// Files in memory. A write succeeds only inside a folder that exists and onto a file that is
// not read-only; unreadable files exist but cannot be read.
class FakeFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> readOnly;
  std::set<std::string> unreadable;
  int writes = 0;

  bool IsRegularFile(const std::string& path) const override { return files.count(path) > 0; }
  std::optional<std::string> ReadAll(const std::string& path) const override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return std::nullopt;
    return it->second;
  }
  void ReplaceAll(const std::string& path, const std::string& bytes) override {
    const std::string folder = path.substr(0, path.find_last_of("/\\"));
    if (!folders.count(folder) || readOnly.count(path)) throw IniWriteError(path);
    files[path] = bytes;
    ++writes;
  }
  // A folder is made only where its parent exists.
  bool CreateFolder(const std::string& path) override {
    const std::string parent = path.substr(0, path.find_last_of("/\\"));
    if (!folders.count(parent) && !folders.count(path)) return false;
    folders.insert(path);
    return true;
  }
  bool CreateNewFile(const std::string& path, const std::string& bytes) override {
    const std::string folder = path.substr(0, path.find_last_of("/\\"));
    if (!folders.count(folder) || files.count(path)) return false;
    files[path] = bytes;
    ++writes;
    return true;
  }
};

class RecordingMessages : public MessageSink {
 public:
  std::vector<std::string> shown;
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
};

class RecordingTarget : public DayViewTarget {
 public:
  std::string heading = "(old heading)", block = "(old block)";
  int resets = 0;
  void SetHeading(const std::string& text) override { heading = text; }
  void SetBlock(const std::string& text) override { block = text; }
  void ResetButtons() override { ++resets; }
};

}  // namespace ormind::testing
