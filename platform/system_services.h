#pragma once
// The platform's own Environment, Clock and FileSystem: the Win32 calls on Windows, POSIX on
// Linux (where the locale comes from LC_ALL, LC_MESSAGES or LANG).
#include "base/environment.h"

namespace ormind {

class SystemEnvironment final : public Environment {
 public:
  std::optional<std::string> AppData() const override;
  int32_t SystemLocale() const override;
  int AnsiCodePage() const override;
  std::string ProgramFolder() const override;
};

class SystemClock final : public Clock {
 public:
  Day Today() const override;
};

class SystemFileSystem final : public FileSystem {
 public:
  bool IsRegularFile(const std::string& path) const override;
  std::optional<std::string> ReadAll(const std::string& path) const override;
  // In pieces of 64 KB through one buffer: a large event list is never held whole, and each
  // piece is still in the processor cache while it is scanned.
  bool ReadPieces(const std::string& path,
                  const std::function<void(std::string_view)>& consume) const override;
  void ReplaceAll(const std::string& path, const std::string& bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool CreateNewFile(const std::string& path, const std::string& bytes) override;
};

}  // namespace ormind
