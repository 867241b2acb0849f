#pragma once
// TPngImage: a PNG picture stored in a window's layout (the faces and buttons at every display
// scale), decoded by the program's own PNG reader into the same 32-bit pixels a TBitmap
// holds, and drawn exactly as a bitmap is: its DIB section, its automatic transparent colour
// (the bottom-left pixel) and its mask. The system's imaging component is not involved, so
// nothing beyond the program itself is loaded to show a window.
#include "pictures/win32/bitmap_graphic.h"

namespace ormind {

class TPngImage : public TBitmap {
 public:
  void LoadFromBytes(std::span<const uint8_t> file) override;
};

}  // namespace ormind
