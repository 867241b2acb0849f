#include "ui/skin/rules/button_row.h"

namespace ormind {

Bounds ButtonRow::Resting(int number) const {
  return {firstLeft + pitch * (number - 1), top, size, size};
}

Bounds ButtonRow::Hovered(int number) const {
  const Bounds rest = Resting(number);
  return {hoverCentred ? rest.left - 2 : rest.left, top - 2, size + 4, size + 4};
}

Bounds ButtonRow::Pressed(Bounds current) {
  current.top -= 2;
  return current;
}

Bounds ButtonRow::Released(Bounds current) {
  return {current.left, current.top + 2, 33, 33};
}

std::optional<int> ButtonNumber(std::string_view controlName) {
  if (controlName.size() < 4 || controlName.substr(0, 3) != "btn") return std::nullopt;
  const char last = controlName.back();
  if (last < '0' || last > '9') return std::nullopt;
  return last - '0';
}

}  // namespace ormind
