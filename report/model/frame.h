#pragma once
// The frame a band, a printable control or the report draws around itself.
#include <cstdint>

#include "report/model/canvas.h"
#include "report/model/engine_settings.h"

namespace ormind {

struct TRptFrame {
  TRptColor Color = 0;
  bool DrawTop = false, DrawBottom = false, DrawLeft = false, DrawRight = false;
  TRptPenStyle Style = TRptPenStyle::Solid;
  int32_t Width = 1;  // points; -1: one device pixel

  bool Present() const { return DrawTop || DrawBottom || DrawLeft || DrawRight; }
  // Side thickness in device units for `factor` device units per tenth of a millimetre.
  int32_t Thickness(long double factor) const;
  // Draws each side that is on as a filled strip along the inside of `rect` (device units).
  void Draw(TRptCanvas& canvas, const TRptRect& rect, long double factorX,
            long double factorY) const;
};

}  // namespace ormind
