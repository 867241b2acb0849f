#pragma once
// Hand-made enhanced metafiles for tests and benchmarks: a header, a few drawing records and
// the closing EOF record, laid out as GDI lays them out, at 96 pixels per inch.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ormind::testing {

class EmfBuilder {
 public:
  // A page of the given frame size in 0.01 mm.
  EmfBuilder(int32_t frameWidth, int32_t frameHeight);

  // A filled rectangle in pixels, colour 0x00BBGGRR (a solid brush made, used and deleted).
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);
  // A 24-bit bottom-up bitmap (rows of B, G, R, padded to 4 bytes) stretched into a rectangle.
  void Bitmap(int32_t left, int32_t top, int32_t width, int32_t height, int32_t bitmapWidth,
              int32_t bitmapHeight, const std::vector<uint8_t>& rows);
  // A comment record carrying `size` bytes of varied data (pads a page to a wanted length).
  void Comment(uint32_t size, uint32_t seed);

  std::vector<uint8_t> Finish();

 private:
  void Record(uint32_t type, const std::vector<uint32_t>& words);
  std::vector<uint8_t> fRecords;
  uint32_t fRecordCount = 0;
  int32_t fFrameWidth, fFrameHeight;
};

// A page of `frameWidth` x `frameHeight` 0.01 mm with a few rectangles and `padding` comment
// bytes, different for every `seed`.
std::vector<uint8_t> MakeTestEmf(int32_t frameWidth, int32_t frameHeight, uint32_t padding,
                                 uint32_t seed);

// Bytes of a 24-bit bitmap row layout (stride padded to 4) for a width and height.
inline size_t BitmapBytes(int32_t width, int32_t height) {
  return size_t((width * 3 + 3) & ~3) * size_t(height);
}

}  // namespace ormind::testing
