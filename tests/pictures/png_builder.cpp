#include "tests/pictures/png_builder.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>

namespace ormind::testing {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

uint8_t Predicted(uint8_t filter, const std::vector<uint8_t>& row, const std::vector<uint8_t>& above,
                  size_t i, int bpp) {
  const int a = i >= static_cast<size_t>(bpp) ? row[i - bpp] : 0;
  const int b = above[i];
  const int c = i >= static_cast<size_t>(bpp) ? above[i - bpp] : 0;
  switch (filter) {
    case 1: return static_cast<uint8_t>(a);
    case 2: return static_cast<uint8_t>(b);
    case 3: return static_cast<uint8_t>((a + b) / 2);
    case 4: return PaethPredictor(a, b, c);
    default: return 0;
  }
}

}  // namespace

std::vector<uint8_t> HeaderBody(const PngHeader& h) {
  std::vector<uint8_t> body;
  Put32(body, h.width);
  Put32(body, h.height);
  body.insert(body.end(), {h.depth, h.colourType, h.compression, h.filter, h.interlace});
  return body;
}

std::vector<uint8_t> WritePng(const std::vector<PngChunk>& chunks) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const PngChunk& chunk : chunks) {
    Put32(out, static_cast<uint32_t>(chunk.body.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), chunk.type.begin(), chunk.type.end());
    out.insert(out.end(), chunk.body.begin(), chunk.body.end());
    uint32_t crc = static_cast<uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt)));
    Put32(out, chunk.wrongCrc ? crc ^ 1 : crc);
  }
  return out;
}

std::vector<uint8_t> Deflate(std::span<const uint8_t> data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> FilteredRows(int width, int height, const std::vector<uint32_t>& pixels,
                                  bool alpha, const std::vector<uint8_t>& filters) {
  const int bpp = alpha ? 4 : 3;
  std::vector<uint8_t> out, above(static_cast<size_t>(width) * bpp, 0), row(above.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      uint8_t* sample = &row[static_cast<size_t>(x) * bpp];
      sample[0] = static_cast<uint8_t>(p >> 16);
      sample[1] = static_cast<uint8_t>(p >> 8);
      sample[2] = static_cast<uint8_t>(p);
      if (alpha) sample[3] = static_cast<uint8_t>(p >> 24);
    }
    const uint8_t filter = filters[y % filters.size()];
    out.push_back(filter);
    for (size_t i = 0; i < row.size(); ++i) {
      out.push_back(static_cast<uint8_t>(row[i] - Predicted(filter, row, above, i, bpp)));
    }
    above = row;
  }
  return out;
}

std::vector<PngChunk> PngChunks(int width, int height, const std::vector<uint32_t>& pixels,
                                bool alpha, const std::vector<uint8_t>& filters) {
  PngHeader header;
  header.width = static_cast<uint32_t>(width);
  header.height = static_cast<uint32_t>(height);
  header.colourType = alpha ? 6 : 2;
  return {{"IHDR", HeaderBody(header)},
          {"IDAT", Deflate(FilteredRows(width, height, pixels, alpha, filters))},
          {"IEND", {}}};
}

std::vector<uint8_t> MakePng(int width, int height, const std::vector<uint32_t>& pixels,
                             bool alpha, const std::vector<uint8_t>& filters) {
  return WritePng(PngChunks(width, height, pixels, alpha, filters));
}

}  // namespace ormind::testing
