#pragma once
// A DIB to draw pictures on (64 x 64 unless said otherwise), filled with one colour, read
// back pixel by pixel.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "pictures/pixel_image.h"
#include "platform/handles.h"

namespace ormind::testing {

constexpr uint32_t kFaceBlue = 0x3060C0;  // 0x00RRGGBB

class Canvas {
 public:
  explicit Canvas(int width = 64, int height = 64) : dc_(nullptr), width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    selected_.emplace(dc_.Get(), bitmap_.Get());
    for (int i = 0; i < width * height; ++i) bits_[i] = kFaceBlue;
  }
  HDC Get() const { return dc_.Get(); }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  // Every pixel, top row first.
  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) out.push_back(At(x, y));
    return out;
  }

 private:
  MemoryDC dc_;
  int width_, height_;
  BitmapHandle bitmap_;
  std::optional<SelectedObject> selected_;
  uint32_t* bits_ = nullptr;
};

// A checkerboard of single black and white pixels: drawn stretched by picking whole rows and
// columns it stays black and white in blocks; averaged it turns grey.
inline PixelImage Checkerboard(int size) {
  PixelImage image{size, size, {}};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image.pixels.push_back((x + y) % 2 ? 0xFFFFFF : 0);
  return image;
}

// Neither near black nor near white: where source pixels were averaged rather than picked.
inline bool IsGrey(uint32_t colour) {
  const int green = (colour >> 8) & 0xFF;
  return green > 48 && green < 208;
}

}  // namespace ormind::testing
