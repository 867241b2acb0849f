#pragma once
// Builds PNG files in memory for the picture tests, the fuzzer's seeds and the benchmark:
// any chunk list (so that tests can reorder, repeat, drop or damage chunks), and the usual
// signature + IHDR + IDAT + IEND file of 8-bit RGB or RGBA pixels with chosen row filters.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ormind::testing {

struct PngChunk {
  std::string type;
  std::vector<uint8_t> body;
  bool wrongCrc = false;
};

struct PngHeader {
  uint32_t width = 1;
  uint32_t height = 1;
  uint8_t depth = 8;
  uint8_t colourType = 2;  // 2 RGB, 6 RGBA
  uint8_t compression = 0;
  uint8_t filter = 0;
  uint8_t interlace = 0;
};

std::vector<uint8_t> HeaderBody(const PngHeader& header);
// The signature and the chunks, each with its length and CRC.
std::vector<uint8_t> WritePng(const std::vector<PngChunk>& chunks);
// A zlib stream of `data`.
std::vector<uint8_t> Deflate(std::span<const uint8_t> data);

// Image data for 8-bit pixels (0xAARRGGBB; alpha used when `alpha`), each row run through
// the filter filters[y % filters.size()] (0 none, 1 Sub, 2 Up, 3 Average, 4 Paeth) and
// preceded by its filter byte.
std::vector<uint8_t> FilteredRows(int width, int height, const std::vector<uint32_t>& pixels,
                                  bool alpha, const std::vector<uint8_t>& filters);

// IHDR, one IDAT and IEND for the pixels.
std::vector<PngChunk> PngChunks(int width, int height, const std::vector<uint32_t>& pixels,
                                bool alpha, const std::vector<uint8_t>& filters = {0});
std::vector<uint8_t> MakePng(int width, int height, const std::vector<uint32_t>& pixels,
                             bool alpha = false, const std::vector<uint8_t>& filters = {0});

}  // namespace ormind::testing
