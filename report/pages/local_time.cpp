#include "report/pages/local_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace ormind {

Day LocalNowAsDay() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  const auto sinceEpoch = now.time_since_epoch();
  const double millis = static_cast<double>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000);
  const double secondOfDay =
      local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0;
  return DayFromDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}) +
         secondOfDay / 86400.0;
}

std::string FormatDayTime(Day moment) {
  if (!std::isfinite(moment) || moment < -657434 || moment > 2958465) return "(not a date)";
  const double whole = std::floor(moment);
  long long second = std::llround((moment - whole) * 86400.0);
  double day = whole;
  if (second >= 86400) {
    second -= 86400;
    day += 1;
  }
  const CivilDate date = DateFromDay(day);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02lld:%02lld:%02lld", date.year, date.month,
                date.day, second / 3600, second / 60 % 60, second % 60);
  return text;
}

}  // namespace ormind
