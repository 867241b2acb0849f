#pragma once
// Where a picture control draws its picture: the destination rectangle for a picture of
// w x h in a control of cw x ch, by the control's Stretch, Proportional and Center.
#include "base/geometry.h"

namespace ormind {

struct PictureFit {
  bool stretch = false;
  bool proportional = false;
  bool center = false;
};

Bounds DestinationRect(int w, int h, int cw, int ch, PictureFit fit);

}  // namespace ormind
