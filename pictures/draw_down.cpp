#include "pictures/draw_down.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "pictures/area_spans.h"

namespace ormind {
namespace {

// A partial sum: the painted weight and the weighted channels of the painted pixels.
struct Paint {
  uint64_t weight, red, green, blue;
};

}  // namespace

PixelImage DrawDown(const PixelImage& source, int width, int height, uint32_t seeThrough) {
  if (width < 1 || height < 1 || width > source.width || height > source.height) {
    throw std::invalid_argument("DrawDown: the new size must lie within the picture's");
  }
  const AreaSpans columns = AreaSpansOf(source.width, width);
  const AreaSpans rows = AreaSpansOf(source.height, height);
  // First across: a source row summed into the new columns, holes left out. Then down: the
  // sums of the rows a new row covers added up. An area average is the same either way round.
  // A source row is summed once and kept while the new rows that share it need it: a few rows
  // of sums stay in the cache where a whole picture of them would not.
  const size_t rowsAtOnce = rows.Widest();
  std::vector<Paint> kept(rowsAtOnce * width);
  std::vector<int> keptRow(rowsAtOnce, -1);
  const auto across = [&](int y) -> const Paint* {
    Paint* out = &kept[static_cast<size_t>(y) % rowsAtOnce * width];
    if (keptRow[y % rowsAtOnce] == y) return out;
    keptRow[y % rowsAtOnce] = y;
    const uint32_t* line = &source.pixels[static_cast<size_t>(y) * source.width];
    for (int x = 0; x < width; ++x) {
      const uint32_t* pixel = line + columns.first[x];
      Paint sum{};
      for (size_t i = columns.offset[x]; i < columns.offset[x + 1]; ++i, ++pixel) {
        // A hole weighs nothing; chosen without a branch, which the outline would mispredict.
        const uint64_t weight = *pixel == seeThrough ? 0 : columns.weights[i];
        sum.weight += weight;
        sum.red += weight * ((*pixel >> 16) & 0xFF);
        sum.green += weight * ((*pixel >> 8) & 0xFF);
        sum.blue += weight * (*pixel & 0xFF);
      }
      out[x] = sum;
    }
    return out;
  };
  const uint64_t area = static_cast<uint64_t>(source.width) * source.height;
  PixelImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * height);
  std::vector<Paint> down(width);
  for (int y = 0; y < height; ++y) {
    std::fill(down.begin(), down.end(), Paint{});
    for (size_t j = rows.offset[y]; j < rows.offset[y + 1]; ++j) {
      const uint64_t weight = rows.weights[j];
      const Paint* line = across(rows.first[y] + static_cast<int>(j - rows.offset[y]));
      for (int x = 0; x < width; ++x) {
        down[x].weight += weight * line[x].weight;
        down[x].red += weight * line[x].red;
        down[x].green += weight * line[x].green;
        down[x].blue += weight * line[x].blue;
      }
    }
    uint32_t* result = &out.pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      const Paint& sum = down[x];
      if (sum.weight * 2 < area) {
        result[x] = seeThrough;
        continue;
      }
      const auto mean = [&sum](uint64_t channel) {  // rounded, halves up
        return static_cast<uint32_t>((channel + sum.weight / 2) / sum.weight);
      };
      result[x] = (mean(sum.red) << 16) | (mean(sum.green) << 8) | mean(sum.blue);
      if (result[x] == seeThrough) result[x] ^= 1;
    }
  }
  return out;
}

}  // namespace ormind
