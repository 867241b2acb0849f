#include "event_list_generator.h"

#include <cstdio>
#include <random>

namespace ormind::bench {
namespace {

constexpr const char* kFirstRu[] = {"Иван", "Ольга", "Пётр", "Мария", "Алексей", "Татьяна",
                                    "Сергей", "Наталья", "Дмитрий", "Екатерина", "Андрей",
                                    "Елена", "Михаил", "Анна", "Николай", "Светлана"};
constexpr const char* kLastRu[] = {"Иванов", "Петрова", "Сидоров", "Кузнецова", "Смирнов",
                                   "Попова", "Васильев", "Соколова", "Михайлов", "Новикова"};
constexpr const char* kFirstEn[] = {"John", "Anna", "Peter", "Mary", "George", "Emily",
                                    "Thomas", "Sarah"};
constexpr const char* kLastEn[] = {"Smith", "Brown", "Taylor", "Wilson", "Clarke", "Hughes"};
constexpr const char* kEvents[] = {"Свадьба", "Годовщина знакомства", "Новоселье",
                                   "Выпускной", "Wedding", "Company founded", "First flight"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

template <size_t N>
const char* Pick(const char* const (&list)[N], std::mt19937& random) {
  return list[std::uniform_int_distribution<size_t>(0, N - 1)(random)];
}

std::string Date(const BenchEntry& e, char separator, bool withYear) {
  char text[32];
  if (withYear && e.year)
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d", e.day, separator, e.month, separator, e.year);
  else
    std::snprintf(text, sizeof text, "%02d%c%02d", e.day, separator, e.month);
  return text;
}

}  // namespace

std::vector<BenchEntry> GenerateEntries(int count, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> percent(0, 99), month(1, 12), day(1, 28);
  std::uniform_int_distribution<int> birthYear(1930, 2020), eventYear(1950, 2025);
  std::vector<BenchEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    BenchEntry e{};
    const int kind = percent(random);
    const bool russian = percent(random) < 75;
    e.day = day(random);
    e.month = month(random);
    if (kind < 60) {
      e.section = EventSection::Birthday;
      e.name = russian ? std::string(Pick(kFirstRu, random)) + " " + Pick(kLastRu, random)
                       : std::string(Pick(kFirstEn, random)) + " " + Pick(kLastEn, random);
      e.year = birthYear(random);
    } else if (kind < 85) {
      e.section = EventSection::Events;
      e.name = std::string(Pick(kEvents, random)) + " " + std::to_string(i);
      e.year = percent(random) < 70 ? eventYear(random) : 0;
    } else {
      e.section = EventSection::Nameday;
      e.name = russian ? Pick(kFirstRu, random) : Pick(kFirstEn, random);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string ToEventList(const std::vector<BenchEntry>& entries) {
  std::string text;
  for (EventSection section : {EventSection::Birthday, EventSection::Events, EventSection::Nameday}) {
    text.append("[").append(SectionName(section)).append("]\r\n");
    for (const BenchEntry& e : entries)
      if (e.section == section) text += e.name + "=" + Date(e, '.', true) + "\r\n";
  }
  return text;
}

std::string ToBirthdayFile(const std::vector<BenchEntry>& entries) {
  std::string text;
  for (const BenchEntry& e : entries) {
    const char* flags = e.section == EventSection::Birthday ? " bd"
                        : e.section == EventSection::Events ? " ann"
                                                            : " ev";
    text += e.name + "=" + Date(e, '/', e.section != EventSection::Nameday) + flags + "\n";
  }
  return text;
}

std::string ToRemindFile(const std::vector<BenchEntry>& entries) {
  std::string text;
  for (const BenchEntry& e : entries) {
    text += "REM " + std::to_string(e.day) + " " + kMonths[e.month - 1] + " +3 MSG " + e.name;
    if (e.year && e.section != EventSection::Nameday)
      text += " ([year(trigdate())-" + std::to_string(e.year) + "])";
    text += "%\n";
  }
  return text;
}

}  // namespace ormind::bench
