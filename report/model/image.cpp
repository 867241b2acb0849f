#include "report/model/image.h"

#include "report/model/page_target.h"

namespace ormind {

TRptImage::TRptImage(TCustomReport& report, const TRptPictureFormats& formats)
    : TRptPrintable(report), picture_(formats) {
  picture_.OnChange = [this] { PictureChanged(); };
}

void TRptImage::PictureChanged() {
  if (!AutoSize || picture_.Empty()) return;
  TRptPixelBounds bounds = Bounds();
  bounds.Width = picture_.Graphic()->Width();
  bounds.Height = picture_.Graphic()->Height();
  SetBounds(bounds);
}

TRptRect TRptImage::NaturalRect(const TRptRect& box) const {
  // One picture pixel is one screen pixel, whatever the device.
  const long double perPixel = 254.0L / ScreenPixelsPerInch();
  const TRptGraphic& graphic = *picture_.Graphic();
  const int32_t width = Target().ToDeviceWidth(graphic.Width() * perPixel);
  const int32_t height = Target().ToDeviceHeight(graphic.Height() * perPixel);
  TRptRect rect{box.Left, box.Top, box.Left + width, box.Top + height};
  if (Center) {
    const int32_t dx = (box.Width() - width) / 2, dy = (box.Height() - height) / 2;
    rect = {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
  }
  return rect;
}

void TRptImage::PrintAt(long double x, long double y) {
  if (!Enabled) return;
  const TRptPrintableSize& size = Size();
  const long double left = size.ValueIn(1, TRptUnit::Native, false) + x;
  const long double top = size.ValueIn(2, TRptUnit::Native, true) + y;
  const TRptRect box = DeviceRect(left, top, left + size.ValueIn(3, TRptUnit::Native, false),
                                  top + size.ValueIn(0, TRptUnit::Native, true));
  TRptCanvas& canvas = Target().PageCanvas();
  if (!picture_.Empty()) {
    if (Stretch) {
      canvas.DrawGraphic(*picture_.Graphic(), box);
    } else {
      canvas.ClipTo(box);
      canvas.DrawGraphic(*picture_.Graphic(), NaturalRect(box));
      canvas.ClearClip();
    }
  }
  DrawFrame(box);
}

}  // namespace ormind
