#pragma once
// The vertical scrolling of the day-view area: the bar appears when the labels reach below
// the area, and the position always stays within the range.
namespace ormind {

struct VerticalScroll {
  bool visible = false;
  int range = 0;     // content height: the lowest label bottom
  int page = 0;      // the area's height
  int position = 0;  // how far the content is scrolled up

  int MaxPosition() const { return visible ? range - page : 0; }
};

// The scrolling for content `contentHeight` high in an area `areaHeight` high, keeping the
// previous position where it still fits.
VerticalScroll UpdateScroll(const VerticalScroll& previous, int contentHeight, int areaHeight);

// The position after scrolling by `delta` pixels (positive: content moves up).
int ScrollBy(const VerticalScroll& scroll, int delta);

}  // namespace ormind
