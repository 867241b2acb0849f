#include "ui/skin/rules/button_row.h"

#include <initializer_list>

namespace ormind {

Bounds ButtonRow::Resting(int number) const {
  return {firstLeft + pitch * (number - 1), top, size, size};
}

Bounds ButtonRow::Hovered(int number) const {
  const Bounds rest = Resting(number);
  return {hoverCentred ? rest.left - hoverShift : rest.left, top - hoverShift, size + grow,
          size + grow};
}

Bounds ButtonRow::Lifted(Bounds current) const {
  current.top -= lift;
  return current;
}

Bounds ButtonRow::Dropped(Bounds current) const {
  return {current.left, current.top + lift, releasedSize, releasedSize};
}

ButtonRow ButtonRow::ScaledBy(const DisplayScale& scale) const {
  ButtonRow row = *this;
  for (int* length : {&row.firstLeft, &row.pitch, &row.top, &row.size, &row.grow, &row.hoverShift,
                      &row.lift, &row.releasedSize}) {
    *length = scale.Length(*length);
  }
  return row;
}

std::optional<int> ButtonNumber(std::string_view controlName) {
  if (controlName.size() < 4 || controlName.substr(0, 3) != "btn") return std::nullopt;
  const char last = controlName.back();
  if (last < '0' || last > '9') return std::nullopt;
  return last - '0';
}

}  // namespace ormind
