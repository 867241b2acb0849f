#include "ui/skin/rules/see_through_region.h"

#include <stdexcept>
#include <utility>

namespace ormind {
namespace {

struct Run {
  int from, to;  // [from, to)
  friend bool operator==(const Run&, const Run&) = default;
};

void FindRuns(std::span<const std::uint32_t> row, std::uint32_t seeThrough, std::vector<Run>& runs) {
  runs.clear();
  const auto width = static_cast<int>(row.size());
  const auto clear = [&](int x) { return (row[x] & 0xFFFFFF) == seeThrough; };
  for (int x = 0; x < width;) {
    while (x < width && clear(x)) ++x;
    const int from = x;
    while (x < width && !clear(x)) ++x;
    if (from < x) runs.push_back({from, x});
  }
}

}  // namespace

std::vector<Bounds> OpaqueRectangles(std::span<const std::uint32_t> pixels, int width, int height,
                                     std::uint32_t seeThrough) {
  if (width <= 0 || height <= 0) return {};
  if (pixels.size() / static_cast<std::size_t>(width) < static_cast<std::size_t>(height))
    throw std::invalid_argument("The picture has fewer pixels than its size says");
  seeThrough &= 0xFFFFFF;
  std::vector<Bounds> rectangles;
  std::vector<Run> above, runs;
  std::size_t bandStart = 0;  // the first rectangle of the band the row above belongs to
  for (int y = 0; y < height; ++y) {
    FindRuns(pixels.subspan(static_cast<std::size_t>(y) * width, width), seeThrough, runs);
    if (y > 0 && runs == above) {
      for (std::size_t i = bandStart; i < rectangles.size(); ++i) ++rectangles[i].height;
      continue;
    }
    bandStart = rectangles.size();
    for (const Run& run : runs) rectangles.push_back({run.from, y, run.to - run.from, 1});
    std::swap(above, runs);
  }
  return rectangles;
}

}  // namespace ormind
