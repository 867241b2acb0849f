#include "ui/skin/rules/scroll_range.h"

#include <algorithm>

namespace ormind {

ScrollAxis UpdateScroll(const ScrollAxis& previous, int contentLength, int page) {
  ScrollAxis scroll;
  scroll.page = std::max(page, 0);
  scroll.range = std::max(contentLength, 0);
  scroll.visible = scroll.range > scroll.page;
  scroll.position = std::clamp(previous.position, 0, scroll.MaxPosition());
  return scroll;
}

ScrollState UpdateScrolls(const ScrollState& previous, int contentWidth, int contentHeight,
                          int areaWidth, int areaHeight, int barWidth, int barHeight) {
  bool vertical = contentHeight > areaHeight;
  const bool horizontal = contentWidth > areaWidth - (vertical ? barWidth : 0);
  if (horizontal && !vertical) vertical = contentHeight > areaHeight - barHeight;
  ScrollState state;
  state.vertical =
      UpdateScroll(previous.vertical, contentHeight, areaHeight - (horizontal ? barHeight : 0));
  state.horizontal =
      UpdateScroll(previous.horizontal, contentWidth, areaWidth - (vertical ? barWidth : 0));
  return state;
}

int ScrollBy(const ScrollAxis& scroll, int delta) {
  return std::clamp(scroll.position + delta, 0, scroll.MaxPosition());
}

}  // namespace ormind
