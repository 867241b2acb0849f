#include "ui/skin/image_control.h"

#include "pictures/draw_down.h"
#include "pictures/win32/bitmap_graphic.h"
#include "platform/handles.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {

// An opaque picture drawn larger than it is (a face above its largest rendering), or one that
// is no bitmap: drawn at its own size first, then resampled with halftoning, which keeps thin
// lines and text smooth where a plain stretch would drop or double whole rows of pixels.
void DrawResampled(HDC dc, TGraphic& picture, const RECT& target) {
  const int width = picture.Width(), height = picture.Height();
  MemoryDC source(dc);
  BitmapHandle pixels(CreateCompatibleBitmap(dc, width, height));
  if (!source.Get() || !pixels) return picture.Draw(dc, target);
  SelectedObject selected(source.Get(), pixels.Get());
  picture.Draw(source.Get(), {0, 0, width, height});
  const int mode = SetStretchBltMode(dc, HALFTONE);
  POINT brushOrigin{};
  SetBrushOrgEx(dc, 0, 0, &brushOrigin);
  StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
             source.Get(), 0, 0, width, height, SRCCOPY);
  SetBrushOrgEx(dc, brushOrigin.x, brushOrigin.y, nullptr);
  SetStretchBltMode(dc, mode);
}

}  // namespace

TImage::TImage(TSkinnedForm& parent, std::string name, Bounds bounds, PictureFit fit,
               bool transparent)
    : parent_(parent), name_(std::move(name)), bounds_(bounds), fit_(fit), transparent_(transparent) {}

void TImage::SetBounds(const Bounds& bounds) {
  if (bounds == bounds_) return;
  parent_.InvalidateArea(bounds_);
  bounds_ = bounds;
  parent_.InvalidateArea(bounds_);
  parent_.ControlMoved(*this);
}

void TImage::SetPicture(std::unique_ptr<TGraphic> picture) {
  picture_ = std::move(picture);
  if (picture_) picture_->SetTransparent(transparent_);
  parent_.InvalidateArea(bounds_);
  parent_.ControlPictureChanged(*this);
}

void TImage::SetHint(std::string hint) {
  hint_ = std::move(hint);
  parent_.ControlHintChanged(*this);
}

void TImage::Paint(HDC dc) const {
  if (!picture_ || picture_->Empty()) return;
  const Bounds d = DestinationRect(picture_->Width(), picture_->Height(), bounds_.width,
                                   bounds_.height, fit_);
  const RECT target{bounds_.left + d.left, bounds_.top + d.top, bounds_.left + d.Right(),
                    bounds_.top + d.Bottom()};
  if (!transparent_ && (d.width != picture_->Width() || d.height != picture_->Height()) &&
      !DrawDownTo(d.width, d.height)) {
    return DrawResampled(dc, *picture_, target);
  }
  picture_->Draw(dc, target);
}

bool TImage::DrawDownTo(int width, int height) const {
  const auto* bitmap = dynamic_cast<const TBitmap*>(picture_.get());
  if (!bitmap || width > bitmap->Width() || height > bitmap->Height() || width < 1 || height < 1) {
    return false;
  }
  // The see-through white is the same value in either byte order.
  auto drawn = std::make_unique<TBitmap>(DrawDown(bitmap->Image(), width, height, kTransparentColorValue));
  drawn->SetTransparent(transparent_);
  picture_ = std::move(drawn);
  return true;
}

}  // namespace ormind
