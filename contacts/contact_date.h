#pragma once
// The dates an address book or a calendar gives a birthday or an anniversary: 19850305,
// 1985-03-05, either followed by a time ("T00:00:00Z"), and --0305 or --03-05 without a year.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ormind {

struct ContactDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;  // 0: no year
  bool operator==(const ContactDate&) const = default;
};

// nullopt for any other text, and for a day that is in no calendar (30.02, month 13); 29.02
// without a year is a date. A year of 0000 counts as no year.
std::optional<ContactDate> ParseContactDate(std::string_view text);

// "dd.mm.yyyy", or "dd.mm" without a year, as the event list writes dates.
std::string FormatEventDate(const ContactDate& date);

}  // namespace ormind
