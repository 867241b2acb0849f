#pragma once
// A 64 x 64 DIB to draw pictures on, filled with one colour, read back pixel by pixel.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/handles.h"

namespace ormind::testing {

constexpr uint32_t kFaceBlue = 0x3060C0;  // 0x00RRGGBB

class Canvas {
 public:
  Canvas() : dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -64;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    selected_.emplace(dc_.Get(), bitmap_.Get());
    for (int i = 0; i < 64 * 64; ++i) bits_[i] = kFaceBlue;
  }
  HDC Get() const { return dc_.Get(); }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * 64 + x] & 0xFFFFFF;
  }

 private:
  MemoryDC dc_;
  BitmapHandle bitmap_;
  std::optional<SelectedObject> selected_;
  uint32_t* bits_ = nullptr;
};

}  // namespace ormind::testing
