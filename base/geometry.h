#pragma once
// Plain rectangles for the window rules that are tested without Windows.
namespace ormind {

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

}  // namespace ormind
