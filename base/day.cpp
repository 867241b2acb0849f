#include "base/day.h"

#include <cmath>

namespace ormind {
namespace {

// Days from 1 March of year 0 to the Unix epoch, using the era-based civil calendar
// arithmetic (400-year cycles of 146097 days) that is exact for every Gregorian date.
constexpr long long kDaysFromCivilEpochTo1899_12_30 = 25569;  // 1899-12-30 .. 1970-01-01

long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;  // days since 1970-01-01
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

}  // namespace

Day DayFromDate(const CivilDate& date) {
  return static_cast<Day>(DaysFromCivil(date.year, static_cast<unsigned>(date.month),
                                        static_cast<unsigned>(date.day)) +
                          kDaysFromCivilEpochTo1899_12_30);
}

CivilDate DateFromDay(Day day) {
  return CivilFromDays(static_cast<long long>(std::floor(day)) - kDaysFromCivilEpochTo1899_12_30);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsValidDate(const CivilDate& date) {
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.month < 1 || date.month > 12 || date.day < 1) return false;
  const int last = kDaysInMonth[date.month - 1] + (date.month == 2 && IsLeapYear(date.year));
  return date.day <= last;
}

}  // namespace ormind
