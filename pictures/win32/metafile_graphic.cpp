#include "pictures/win32/metafile_graphic.h"

#include <cstring>

#include "pictures/picture_error.h"

namespace ormind {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

int16_t ReadI16(std::span<const uint8_t> b, size_t at) {
  int16_t v = 0;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

bool IsEnhanced(std::span<const uint8_t> file) {
  return file.size() >= sizeof(ENHMETAHEADER) && ReadU32(file, 0) == EMR_HEADER &&
         ReadU32(file, 40) == ENHMETA_SIGNATURE;
}

// A Windows metafile becomes an enhanced one; the placeable header, when present, gives its
// size (bounding box in units of `inch` per inch), otherwise it is taken as 96 per inch.
HENHMETAFILE FromWindowsMetafile(std::span<const uint8_t> file, int& width, int& height) {
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  if (file.size() >= kPlaceableHeaderSize && ReadU32(file, 0) == kPlaceableKey) {
    const int w = ReadI16(file, 10) - ReadI16(file, 6);
    const int h = ReadI16(file, 12) - ReadI16(file, 8);
    const int inch = static_cast<uint16_t>(ReadI16(file, 14));
    if (inch > 0 && w > 0 && h > 0) {
      width = MulDiv(w, 96, inch);
      height = MulDiv(h, 96, inch);
      picture.xExt = MulDiv(w, 2540, inch);  // 0.01 mm
      picture.yExt = MulDiv(h, 2540, inch);
    }
    file = file.subspan(kPlaceableHeaderSize);
  }
  if (file.size() < 18) return nullptr;
  return SetWinMetaFileBits(static_cast<UINT>(file.size()), file.data(), nullptr,
                            picture.xExt > 0 ? &picture : nullptr);
}

}  // namespace

void TMetafile::LoadFromBytes(std::span<const uint8_t> file) {
  int width = 0, height = 0;
  EnhMetaFileHandle loaded(IsEnhanced(file)
                               ? SetEnhMetaFileBits(static_cast<UINT>(file.size()), file.data())
                               : FromWindowsMetafile(file, width, height));
  if (!loaded) throw PictureError("Invalid metafile");
  if (width <= 0 || height <= 0) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(loaded.Get(), sizeof header, &header);
    // The frame is in 0.01 mm.
    width = MulDiv(header.rclFrame.right - header.rclFrame.left, 96, 2540);
    height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, 96, 2540);
  }
  metafile_ = std::move(loaded);
  width_ = width;
  height_ = height;
}

void TMetafile::Draw(HDC dc, const RECT& rect) {
  if (metafile_) PlayEnhMetaFile(dc, metafile_.Get(), &rect);
}

}  // namespace ormind
