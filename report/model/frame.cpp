#include "report/model/frame.h"

#include "report/model/units.h"

namespace ormind {

int32_t TRptFrame::Thickness(long double factor) const {
  if (Width == -1) return 1;
  if (Width <= 0) return 0;
  const auto t = static_cast<int32_t>(RptRound(factor / 72 * 254 * Width));
  return t < 1 ? 1 : t;
}

void TRptFrame::Draw(TRptCanvas& canvas, const TRptRect& r, long double factorX,
                     long double factorY) const {
  if (!Present()) return;
  const int32_t tx = Thickness(factorX), ty = Thickness(factorY);
  if (DrawTop) canvas.FillRect({r.Left, r.Top, r.Right, r.Top + ty}, Color);
  if (DrawBottom) canvas.FillRect({r.Left, r.Bottom - ty, r.Right, r.Bottom}, Color);
  if (DrawLeft) canvas.FillRect({r.Left, r.Top, r.Left + tx, r.Bottom}, Color);
  if (DrawRight) canvas.FillRect({r.Right - tx, r.Top, r.Right, r.Bottom}, Color);
}

}  // namespace ormind
