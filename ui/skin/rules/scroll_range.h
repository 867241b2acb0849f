#pragma once
// The scrolling of the day-view area: a bar appears when the labels reach past the area in its
// direction, a bar takes room from the other direction, and positions stay within range.
namespace ormind {

struct ScrollAxis {
  bool visible = false;
  int range = 0;     // content length: the farthest label edge
  int page = 0;      // the visible length
  int position = 0;  // how far the content is scrolled

  int MaxPosition() const { return visible ? range - page : 0; }
};

struct ScrollState {
  ScrollAxis horizontal;
  ScrollAxis vertical;
};

// One axis: content `contentLength` long in `page` pixels, keeping the previous position where
// it still fits.
ScrollAxis UpdateScroll(const ScrollAxis& previous, int contentLength, int page);

// Both axes for content of contentWidth x contentHeight in an area of areaWidth x areaHeight;
// a vertical bar is `barWidth` wide, a horizontal one `barHeight` high.
ScrollState UpdateScrolls(const ScrollState& previous, int contentWidth, int contentHeight,
                          int areaWidth, int areaHeight, int barWidth, int barHeight);

// The position after scrolling by `delta` pixels (positive: content moves up or left).
int ScrollBy(const ScrollAxis& scroll, int delta);

}  // namespace ormind
