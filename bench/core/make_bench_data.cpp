// make-bench-data N DIR: writes DIR/appdata/Ormind/events.txt (with settings.ini), DIR/birthdays
// and DIR/remind.rem holding the same N entries.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "event_list_generator.h"

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) <= 0) {
    std::fprintf(stderr, "usage: make-bench-data N DIR\n");
    return 2;
  }
  using namespace ormind::bench;
  const auto entries = GenerateEntries(std::atoi(argv[1]));
  const std::filesystem::path dir = argv[2];
  const std::filesystem::path ormind = dir / "appdata" / "Ormind";
  std::filesystem::create_directories(ormind);
  const bool ok = Write(ormind / "events.txt", ToEventList(entries)) &&
                  Write(ormind / "settings.ini",
                        "[settings]\r\nEventsFile=" + (ormind / "events.txt").string() +
                            "\r\nDaysBefore=3\r\nLang=1049\r\nPrintPicture=\r\n") &&
                  Write(dir / "birthdays", ToBirthdayFile(entries)) &&
                  Write(dir / "remind.rem", ToRemindFile(entries));
  return ok ? 0 : 1;
}
