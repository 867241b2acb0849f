#include "ui/scroll_range.h"

#include <algorithm>

namespace ormind {

VerticalScroll UpdateScroll(const VerticalScroll& previous, int contentHeight, int areaHeight) {
  VerticalScroll scroll;
  scroll.page = std::max(areaHeight, 0);
  scroll.range = std::max(contentHeight, 0);
  scroll.visible = scroll.range > scroll.page;
  scroll.position = std::clamp(previous.position, 0, scroll.MaxPosition());
  return scroll;
}

int ScrollBy(const VerticalScroll& scroll, int delta) {
  return std::clamp(scroll.position + delta, 0, scroll.MaxPosition());
}

}  // namespace ormind
