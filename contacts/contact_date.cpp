#include "contacts/contact_date.h"

#include "base/day.h"

namespace ormind {
namespace {

// The number written by `count` digits at `text[at]`, or -1.
int32_t Digits(std::string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int32_t value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// What may follow a date: nothing, or a time that starts with "T" and a digit.
bool EndsOrTime(std::string_view text, size_t at) {
  return at == text.size() ||
         (text[at] == 'T' && at + 1 < text.size() && text[at + 1] >= '0' && text[at + 1] <= '9');
}

std::optional<ContactDate> Checked(int32_t year, int32_t month, int32_t day) {
  if (year < 0 || month < 1 || month > 12 || day < 1) return std::nullopt;
  // 2000 is a leap year: a day without a year may be 29 February.
  const int32_t calendarYear = year == 0 ? 2000 : year;
  if (!IsValidDate(CivilDate{calendarYear, month, day})) return std::nullopt;
  return ContactDate{day, month, year};
}

}  // namespace

std::optional<ContactDate> ParseContactDate(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.starts_with("--")) {
    const bool dashed = text.size() > 4 && text[4] == '-';
    const size_t dayAt = dashed ? 5 : 4;
    if (text.size() != dayAt + 2) return std::nullopt;
    return Checked(0, Digits(text, 2, 2), Digits(text, dayAt, 2));
  }
  const int32_t year = Digits(text, 0, 4);
  if (year < 0) return std::nullopt;
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-' && EndsOrTime(text, 10))
    return Checked(year, Digits(text, 5, 2), Digits(text, 8, 2));
  if (text.size() >= 8 && EndsOrTime(text, 8))
    return Checked(year, Digits(text, 4, 2), Digits(text, 6, 2));
  return std::nullopt;
}

std::string FormatEventDate(const ContactDate& date) {
  std::string text;
  const auto digits = [&text](int32_t n, int32_t count) {
    for (int32_t unit = count == 4 ? 1000 : 10; unit > 0; unit /= 10)
      text += static_cast<char>('0' + n / unit % 10);
  };
  digits(date.day, 2);
  text += '.';
  digits(date.month, 2);
  if (date.year > 0) {
    text += '.';
    digits(date.year, 4);
  }
  return text;
}

}  // namespace ormind
