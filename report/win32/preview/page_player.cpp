#include "report/win32/preview/page_player.h"

#include <climits>
#include <cstdint>
#include <new>
#include <optional>

#include "pictures/shrink_opaque.h"

namespace ormind {
namespace {

int drawnDown = 0;

// A record's raster copy (EMR_BITBLT, EMR_STRETCHBLT or EMR_STRETCHDIBITS): where it goes in
// the page's logical units, and the part of the bitmap held in the record it takes.
struct RasterCopy {
  LONG xDest, yDest, cxDest, cyDest;
  LONG xSrc, ySrc, cxSrc, cySrc;
  DWORD rop, usage, offBmi, cbBmi, offBits, cbBits;
};

std::optional<RasterCopy> RasterCopyOf(const ENHMETARECORD& record) {
  // EMRSTRETCHBLT is EMRBITBLT with the source's size added; a bit copy takes its own size.
  if ((record.iType == EMR_BITBLT && record.nSize >= sizeof(EMRBITBLT)) ||
      (record.iType == EMR_STRETCHBLT && record.nSize >= sizeof(EMRSTRETCHBLT))) {
    const auto& r = reinterpret_cast<const EMRBITBLT&>(record);
    // A source drawn through its own transform is left to the system.
    const XFORM& f = r.xformSrc;
    if (f.eM11 != 1 || f.eM12 != 0 || f.eM21 != 0 || f.eM22 != 1 || f.eDx != 0 || f.eDy != 0)
      return {};
    RasterCopy copy{r.xDest, r.yDest, r.cxDest, r.cyDest, r.xSrc, r.ySrc, r.cxDest, r.cyDest,
                    r.dwRop, r.iUsageSrc, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc};
    if (record.iType == EMR_STRETCHBLT) {
      const auto& stretch = reinterpret_cast<const EMRSTRETCHBLT&>(record);
      copy.cxSrc = stretch.cxSrc, copy.cySrc = stretch.cySrc;
    }
    return copy;
  }
  if (record.iType == EMR_STRETCHDIBITS && record.nSize >= sizeof(EMRSTRETCHDIBITS)) {
    const auto& r = reinterpret_cast<const EMRSTRETCHDIBITS&>(record);
    return RasterCopy{r.xDest, r.yDest, r.cxDest, r.cyDest, r.xSrc, r.ySrc, r.cxSrc, r.cySrc,
                      r.dwRop, r.iUsageSrc, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc};
  }
  return {};
}

// The bitmap in the record, when it is one this code reads (24 or 32 bits per pixel, not
// compressed) and lies wholly inside the record; a saved report file may hold anything.
std::optional<BgrPixels> PixelsOf(const ENHMETARECORD& record, const RasterCopy& copy) {
  const uint64_t size = record.nSize;
  if (copy.usage != DIB_RGB_COLORS || copy.cbBmi < sizeof(BITMAPINFOHEADER) ||
      uint64_t{copy.offBmi} + copy.cbBmi > size || uint64_t{copy.offBits} + copy.cbBits > size ||
      copy.offBmi % 4 != 0)
    return {};
  const auto* base = reinterpret_cast<const uint8_t*>(&record);
  const auto& header = *reinterpret_cast<const BITMAPINFOHEADER*>(base + copy.offBmi);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 ||
      header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32) ||
      header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == LONG_MIN)
    return {};
  const int64_t width = header.biWidth, height = header.biHeight < 0 ? -int64_t{header.biHeight}
                                                                     : int64_t{header.biHeight};
  const int64_t stride = (width * header.biBitCount + 31) / 32 * 4;
  if (stride * height > copy.cbBits) return {};
  if (copy.xSrc < 0 || copy.ySrc < 0 || copy.cxSrc <= 0 || copy.cySrc <= 0 ||
      int64_t{copy.xSrc} + copy.cxSrc > width || int64_t{copy.ySrc} + copy.cySrc > height)
    return {};
  const int pixelBytes = header.biBitCount / 8;
  const uint8_t* bits = base + copy.offBits;
  // The top row of the part taken; a bitmap with a positive height is stored bottom up.
  const bool bottomUp = header.biHeight > 0;
  const int64_t topRow = bottomUp ? height - 1 - copy.ySrc : copy.ySrc;
  const uint8_t* top = bits + topRow * stride + int64_t{copy.xSrc} * pixelBytes;
  // The rows lie inside the record (checked above), so a row's step fits a pointer difference.
  const auto step = static_cast<ptrdiff_t>(bottomUp ? -stride : stride);
  return BgrPixels{top, step, copy.cxSrc, copy.cySrc, pixelBytes};
}

// Draws the record's picture averaged down to the device pixels it covers; false when it is not
// such a picture (then the system plays the record).
bool DrawDownRasterCopy(HDC dc, const ENHMETARECORD& record) {
  const std::optional<RasterCopy> copy = RasterCopyOf(record);
  if (!copy || copy->rop != SRCCOPY || GetStretchBltMode(dc) != HALFTONE) return false;
  // The page is mapped onto the device by scaling and moving only; anything that turns or
  // mirrors it is the system's.
  XFORM world{};
  if (GetGraphicsMode(dc) == GM_ADVANCED &&
      (!GetWorldTransform(dc, &world) || world.eM12 != 0 || world.eM21 != 0))
    return false;
  POINT corners[2] = {{copy->xDest, copy->yDest},
                      {copy->xDest + copy->cxDest, copy->yDest + copy->cyDest}};
  if (!LPtoDP(dc, corners, 2)) return false;
  const LONG width = corners[1].x - corners[0].x, height = corners[1].y - corners[0].y;
  if (width <= 0 || height <= 0 || width >= copy->cxSrc || height >= copy->cySrc) return false;
  const std::optional<BgrPixels> pixels = PixelsOf(record, *copy);
  if (!pixels) return false;
  PixelImage shrunk;
  try {
    shrunk = ShrinkOpaque(*pixels, width, height);
  } catch (const std::bad_alloc&) {
    return false;  // not thrown through the system's playing
  }

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  // Drawn in device pixels: the page's mapping is put aside for the copy and restored after.
  const int saved = SaveDC(dc);
  if (saved == 0) return false;
  bool drawn = true;
  if (GetGraphicsMode(dc) == GM_ADVANCED) drawn = ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetMapMode(dc, MM_TEXT);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  drawn = drawn && SetDIBitsToDevice(dc, corners[0].x, corners[0].y, width, height, 0, 0, 0,
                                     height, shrunk.pixels.data(), &info, DIB_RGB_COLORS) != 0;
  RestoreDC(dc, saved);
  if (drawn) ++drawnDown;
  return drawn;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int count,
                        LPARAM) {
  if (DrawDownRasterCopy(dc, *record)) return 1;
  // A record the system cannot play is skipped, as PlayEnhMetaFile skips it.
  PlayEnhMetaFileRecord(dc, handles, record, count);
  return 1;
}

}  // namespace

bool PlayPagePicture(HDC dc, HENHMETAFILE picture, const RECT& area) {
  return EnumEnhMetaFile(dc, picture, PlayRecord, nullptr, &area) != FALSE;
}

int PagePicturesDrawnDown() { return drawnDown; }

}  // namespace ormind
