#include "ui/skin/rules/picture_fit.h"

namespace ormind {

Bounds DestinationRect(int w, int h, int cw, int ch, PictureFit fit) {
  int width = w, height = h;
  if (fit.stretch || (fit.proportional && (cw < w || ch < h))) {
    if (fit.proportional && w > 0 && h > 0) {
      const double ratio = static_cast<double>(w) / h;
      if (w > h) {
        width = cw;
        height = static_cast<int>(cw / ratio);
        if (height > ch) {
          height = ch;
          width = static_cast<int>(ch * ratio);
        }
      } else {
        height = ch;
        width = static_cast<int>(ch * ratio);
        if (width > cw) {
          width = cw;
          height = static_cast<int>(cw / ratio);
        }
      }
    } else {
      width = cw;
      height = ch;
    }
  }
  Bounds rect{0, 0, width, height};
  if (fit.center) {
    rect.left = (cw - width) / 2;
    rect.top = (ch - height) / 2;
  }
  return rect;
}

}  // namespace ormind
