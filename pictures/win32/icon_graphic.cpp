#include "pictures/win32/icon_graphic.h"

#include <cstring>

#include "pictures/picture_error.h"

namespace ormind {
namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kEntrySize = 16;

uint32_t Read(std::span<const uint8_t> b, size_t at, size_t n) {
  uint32_t v = 0;
  std::memcpy(&v, b.data() + at, n);
  return v;
}

}  // namespace

void TIconImage::LoadFromBytes(std::span<const uint8_t> file) {
  if (file.size() < kDirectoryHeader || Read(file, 0, 2) != 0 || Read(file, 2, 2) != 1) {
    throw PictureError("Invalid icon");
  }
  const size_t count = Read(file, 4, 2);
  if (count == 0 || file.size() < kDirectoryHeader + count * kEntrySize) {
    throw PictureError("Invalid icon");
  }
  // The largest image; 0 in the directory stands for 256 pixels.
  size_t best = 0;
  int bestSide = -1;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectoryHeader + i * kEntrySize;
    const int side = file[entry] == 0 ? 256 : file[entry];
    if (side > bestSide) best = entry, bestSide = side;
  }
  const int width = file[best] == 0 ? 256 : file[best];
  const int height = file[best + 1] == 0 ? 256 : file[best + 1];
  const size_t size = Read(file, best + 8, 4);
  const size_t offset = Read(file, best + 12, 4);
  if (offset > file.size() || size > file.size() - offset || size == 0) {
    throw PictureError("Invalid icon");
  }
  IconHandle icon(CreateIconFromResourceEx(const_cast<uint8_t*>(file.data() + offset),
                                           static_cast<DWORD>(size), TRUE, 0x00030000, width,
                                           height, LR_DEFAULTCOLOR));
  if (!icon) throw PictureError("Invalid icon");
  icon_ = std::move(icon);
  width_ = width;
  height_ = height;
}

void TIconImage::Draw(HDC dc, const RECT& rect) {
  if (!icon_) return;
  DrawIconEx(dc, rect.left, rect.top, icon_.Get(), rect.right - rect.left, rect.bottom - rect.top,
             0, nullptr, DI_NORMAL);
}

}  // namespace ormind
