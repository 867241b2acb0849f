#pragma once
// The shown page as a bitmap of the image's size: the page picture is played into it once for
// each size (zoom) and picture, and every paint or scroll only copies pixels from it. Playing
// a page picture costs far more than copying its pixels, and a paint may come for every
// scrolled line.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/handles.h"

namespace ormind {

class TRptPagePicture;

class TRptPageBitmap {
 public:
  // Takes the page to show (none: nothing is drawn); the cached pixels are made again.
  void SetPicture(const TRptPagePicture* picture);
  bool HasPicture() const { return fMetafile.Valid(); }
  // Copies the page, `width` x `height` with its frame and shadow, to `dc` at (0, 0); the
  // pixels are drawn first when the size differs from the last one. Nothing happens without a
  // picture; when no bitmap of the size can be made, a blank page is drawn instead. `background`
  // fills the corners beside the shadows.
  void Paint(HDC dc, int32_t width, int32_t height, COLORREF background);
  // Drops the cached pixels (not the picture).
  void Forget();
  // How often the picture has been played (the tests and the benchmark read it).
  int32_t Renders() const { return fRenders; }

 private:
  void Render(HDC compatible, int32_t width, int32_t height, COLORREF background);
  static void PaintBlank(HDC dc, int32_t width, int32_t height, COLORREF background);

  EnhMetaFileHandle fMetafile;
  BitmapHandle fPixels;
  int32_t fWidth = 0, fHeight = 0;
  int32_t fRenders = 0;
};

// Draws the page as the preview shows it into `dc`, `width` x `height`: a white page, the
// picture stretched over the whole rectangle, a black frame and a black drop shadow on the
// right and bottom (right and bottom edges exclusive).
void DrawFramedPage(HDC dc, HENHMETAFILE picture, int32_t width, int32_t height);

}  // namespace ormind
