#pragma once
// A calendar day as a whole number of days since 30 December 1899, held in a double, with
// proleptic Gregorian conversions.
namespace ormind {

using Day = double;

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Day of a Gregorian date; the date must be valid (see IsValidDate).
Day DayFromDate(const CivilDate& date);
// Gregorian date of a day; the fractional part, if any, is ignored.
CivilDate DateFromDay(Day day);

bool IsLeapYear(int year);
bool IsValidDate(const CivilDate& date);

}  // namespace ormind
