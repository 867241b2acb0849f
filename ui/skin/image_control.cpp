#include "ui/skin/image_control.h"

#include "ui/skin/skinned_form.h"

namespace ormind {

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
  picture_->Draw(dc, target);
}

}  // namespace ormind
