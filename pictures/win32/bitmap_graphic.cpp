#include "pictures/win32/bitmap_graphic.h"

#include <cstring>
#include <string>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"
#include "pictures/stored_picture.h"

namespace ormind {
namespace {
// The raster operation that leaves the destination as it is.
constexpr DWORD kDestinationCopy = 0x00AA0029;
}  // namespace

void TGraphic::ReadStoredData(std::span<const uint8_t> data) { LoadFromBytes(ReadCountedBytes(data)); }

TBitmap::TBitmap(PixelImage image) { Assign(std::move(image)); }

void TBitmap::LoadFromBytes(std::span<const uint8_t> file) { Assign(DecodeBmp(file)); }

void TBitmap::Assign(PixelImage image) {
  image_ = std::move(image);
  pixels_.Reset();
  mask_.Reset();
}

HBITMAP TBitmap::Pixels(HDC dc) {
  if (!pixels_ && !image_.Empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image_.width;
    info.bmiHeader.biHeight = -image_.height;  // top-down, as the pixels are held
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    pixels_.Reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // Drawing nothing would print the card without its background and say nothing.
    if (!pixels_ || !bits) {
      pixels_.Reset();
      throw PictureError("Not enough memory to draw a picture of " +
                         std::to_string(image_.width) + " x " + std::to_string(image_.height) +
                         " pixels");
    }
    std::memcpy(bits, image_.pixels.data(), image_.pixels.size() * sizeof(uint32_t));
    GdiFlush();
  }
  return pixels_.Get();
}

HBITMAP TBitmap::Mask() {
  if (!mask_ && !image_.Empty()) {
    const auto bits = BuildTransparencyMask(image_, TransparentColor());
    mask_.Reset(CreateBitmap(image_.width, image_.height, 1, 1, bits.data()));
  }
  return mask_.Get();
}

void TBitmap::Draw(HDC dc, const RECT& rect) {
  if (image_.Empty()) return;
  MemoryDC source(dc);
  HBITMAP pixels = Pixels(dc);
  if (!source.Get() || !pixels) return;
  SelectedObject selected(source.Get(), pixels);
  if (Transparent()) {
    // The mask must stay black and white when stretched: no averaging of its edge.
    const int previousMode =
        SetStretchBltMode(dc, image_.monochrome ? BLACKONWHITE : HALFTONE);
    DrawMasked(dc, source.Get(), rect);
    SetStretchBltMode(dc, previousMode);
  } else {
    DrawOpaque(dc, source.Get(), rect);
  }
}

void TBitmap::DrawOpaque(HDC dc, HDC source, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width == image_.width && height == image_.height) {
    BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCCOPY);
    return;
  }
  // Dropping or repeating whole rows and columns turns fine texture (paper, photographs) into
  // block patterns; halftoning averages the source pixels that fall on each destination pixel.
  // A black-and-white bitmap keeps its lines instead.
  const int previousMode = SetStretchBltMode(dc, image_.monochrome ? BLACKONWHITE : HALFTONE);
  POINT brushOrigin{};
  // Halftoning leaves the brush origin undefined: Windows asks for it to be set afterwards.
  if (!image_.monochrome) SetBrushOrgEx(dc, 0, 0, &brushOrigin);
  StretchBlt(dc, rect.left, rect.top, width, height, source, 0, 0, image_.width, image_.height,
             SRCCOPY);
  SetStretchBltMode(dc, previousMode);
  if (!image_.monochrome) SetBrushOrgEx(dc, brushOrigin.x, brushOrigin.y, nullptr);
}

void TBitmap::DrawMasked(HDC dc, HDC source, const RECT& rect) {
  HBITMAP mask = Mask();
  if (!mask) return DrawOpaque(dc, source, rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width == image_.width && height == image_.height) {
    // Mask 1 (transparent colour): destination unchanged; mask 0: the picture.
    MaskBlt(dc, rect.left, rect.top, width, height, source, 0, 0, mask, 0, 0,
            MAKEROP4(kDestinationCopy, SRCCOPY));
    return;
  }
  // Stretched: a copy of the picture that is black where it is transparent, then the mask
  // cuts the disc out of the destination (AND) and the copy is laid in (XOR).
  MemoryDC maskDC(dc);
  MemoryDC scratchDC(dc);
  BitmapHandle scratch(CreateCompatibleBitmap(dc, image_.width, image_.height));
  if (!maskDC.Get() || !scratchDC.Get() || !scratch) return DrawOpaque(dc, source, rect);
  SelectedObject maskSelected(maskDC.Get(), mask);
  SelectedObject scratchSelected(scratchDC.Get(), scratch.Get());
  SetTextColor(scratchDC.Get(), RGB(0, 0, 0));
  SetBkColor(scratchDC.Get(), RGB(255, 255, 255));
  BitBlt(scratchDC.Get(), 0, 0, image_.width, image_.height, maskDC.Get(), 0, 0, SRCCOPY);
  BitBlt(scratchDC.Get(), 0, 0, image_.width, image_.height, source, 0, 0, SRCERASE);
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  StretchBlt(dc, rect.left, rect.top, width, height, maskDC.Get(), 0, 0, image_.width,
             image_.height, SRCAND);
  StretchBlt(dc, rect.left, rect.top, width, height, scratchDC.Get(), 0, 0, image_.width,
             image_.height, SRCINVERT);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

}  // namespace ormind
