#pragma once
// A reproducible event list of any size for the benchmarks: about 60% birthdays, 25% events,
// 15% name-days, most names in Cyrillic; written as Ormind's event list and as the input files
// of two other reminder programs, so that the same entries can be timed in each.
#include <cstdint>
#include <string>
#include <vector>

#include "core/event_list.h"

namespace ormind::bench {

struct BenchEntry {
  EventSection section;
  std::string name;
  int day, month, year;  // year 0: none
};

std::vector<BenchEntry> GenerateEntries(int count, uint32_t seed = 2006);

std::string ToEventList(const std::vector<BenchEntry>& entries);     // INI, UTF-8
std::string ToBirthdayFile(const std::vector<BenchEntry>& entries);  // name=dd/mm/yyyy flags
std::string ToRemindFile(const std::vector<BenchEntry>& entries);    // REM ... MSG ...

}  // namespace ormind::bench
