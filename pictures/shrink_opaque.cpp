#include "pictures/shrink_opaque.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "pictures/area_spans.h"

namespace ormind {
namespace {

// Weights are fractions of 1 << kWeightBits. Summed across, a channel stays below
// 255 << kWeightBits; kept as 8.8 fixed point it is below 1 << 16, so summing down fits 32 bits.
constexpr int kWeightBits = 14;
constexpr uint32_t kOne = 1u << kWeightBits;

// The spans' weights as fractions of kOne, rounded so that every new pixel's add up to kOne
// exactly (a running total rounded, then differenced).
std::vector<uint32_t> FixedWeights(const AreaSpans& spans, int source) {
  std::vector<uint32_t> fixed(spans.weights.size());
  for (size_t t = 0; t + 1 < spans.offset.size(); ++t) {
    uint64_t total = 0;
    uint32_t before = 0;
    for (size_t i = spans.offset[t]; i < spans.offset[t + 1]; ++i) {
      total += spans.weights[i];
      const auto upTo = static_cast<uint32_t>((total * kOne + source / 2) / source);
      fixed[i] = upTo - before;
      before = upTo;
    }
  }
  return fixed;
}

}  // namespace

PixelImage ShrinkOpaque(const BgrPixels& source, int width, int height) {
  if (width < 1 || height < 1 || width > source.width || height > source.height ||
      (source.pixelBytes != 3 && source.pixelBytes != 4)) {
    throw std::invalid_argument("ShrinkOpaque: a size outside the picture's, or pixels not of 3 or 4 bytes");
  }
  const AreaSpans columns = AreaSpansOf(source.width, width);
  const AreaSpans rows = AreaSpansOf(source.height, height);
  const std::vector<uint32_t> columnWeights = FixedWeights(columns, source.width);
  const std::vector<uint32_t> rowWeights = FixedWeights(rows, source.height);
  // A source row summed across into the new columns (three 8.8 channels per new pixel) is kept
  // while the new rows that share it need it.
  const size_t rowsAtOnce = rows.Widest();
  std::vector<uint16_t> kept(rowsAtOnce * width * 3);
  std::vector<int> keptRow(rowsAtOnce, -1);
  const auto across = [&](int y) -> const uint16_t* {
    uint16_t* const row = &kept[static_cast<size_t>(y) % rowsAtOnce * width * 3];
    if (keptRow[y % rowsAtOnce] == y) return row;
    keptRow[y % rowsAtOnce] = y;
    uint16_t* out = row;
    const uint8_t* line = source.top + source.stride * y;
    for (int x = 0; x < width; ++x, out += 3) {
      const uint8_t* pixel = line + static_cast<size_t>(columns.first[x]) * source.pixelBytes;
      uint32_t blue = 0, green = 0, red = 0;
      for (size_t i = columns.offset[x]; i < columns.offset[x + 1]; ++i) {
        const uint32_t weight = columnWeights[i];
        blue += weight * pixel[0];
        green += weight * pixel[1];
        red += weight * pixel[2];
        pixel += source.pixelBytes;
      }
      constexpr int kDrop = kWeightBits - 8;
      out[0] = static_cast<uint16_t>((blue + (1u << (kDrop - 1))) >> kDrop);
      out[1] = static_cast<uint16_t>((green + (1u << (kDrop - 1))) >> kDrop);
      out[2] = static_cast<uint16_t>((red + (1u << (kDrop - 1))) >> kDrop);
    }
    return row;
  };
  PixelImage out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * height);
  std::vector<uint32_t> down(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    std::fill(down.begin(), down.end(), 0u);
    for (size_t j = rows.offset[y]; j < rows.offset[y + 1]; ++j) {
      const uint32_t weight = rowWeights[j];
      const uint16_t* line = across(rows.first[y] + static_cast<int>(j - rows.offset[y]));
      for (size_t i = 0; i < down.size(); ++i) down[i] += weight * line[i];
    }
    // 8.8 times kOne: the channel is the sum's top eight bits of sixteen plus kWeightBits.
    constexpr int kShift = 8 + kWeightBits;
    uint32_t* result = &out.pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      const uint32_t* sum = &down[static_cast<size_t>(x) * 3];
      const auto channel = [](uint32_t value) { return (value + (1u << (kShift - 1))) >> kShift; };
      result[x] = (channel(sum[2]) << 16) | (channel(sum[1]) << 8) | channel(sum[0]);
    }
  }
  return out;
}

}  // namespace ormind
