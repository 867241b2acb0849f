#include "ui/skin/picture_buttons.h"

#include <optional>

#include "pictures/win32/graphic_registry.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {

constexpr PictureFit kButtonFit{true, true, false};

}  // namespace

void TPictureButtons::Add(const wchar_t* pictureResource, std::string hint,
                          std::function<void()> onClick) {
  const int number = Count() + 1;
  auto image = std::make_unique<TImage>(form_, "btn" + std::to_string(number),
                                        row_.Resting(number), kButtonFit, true);
  form_.AddControl(*image);
  image->SetHint(std::move(hint));
  buttons_.push_back({std::move(image), pictureResource, std::move(onClick)});
}

void TPictureButtons::SetScale(const DisplayScale& scale) {
  row_ = layoutRow_.ScaledBy(scale);
  for (int n = 1; n <= Count(); ++n) {
    Entry& button = buttons_[n - 1];
    button.image->SetBounds(row_.Resting(n));
    button.image->SetPicture(LoadFirstStoredPictureResource(scale.RenderingNames(button.pictureResource)));
  }
}

// Buttons are found by name, "btn" and the number as the last character.
int TPictureButtons::NumberOf(const TImage& control) const {
  if (!control.Name().starts_with("btn")) return 0;
  const std::optional<int> number = ButtonNumber(control.Name());
  return number && *number >= 1 && *number <= Count() ? *number : 0;
}

bool TPictureButtons::Press(TImage& control) {
  if (!NumberOf(control)) return false;
  control.SetBounds(row_.Lifted(control.BoundsRect()));
  return true;
}

bool TPictureButtons::Release(TImage& control) {
  if (!NumberOf(control)) return false;
  control.SetBounds(row_.Dropped(control.BoundsRect()));
  return true;
}

bool TPictureButtons::Click(TImage& control) {
  const int number = NumberOf(control);
  if (!number) return false;
  // A copy: the handler may run a modal window, during which nothing may change the row.
  const std::function<void()> onClick = buttons_[number - 1].onClick;
  if (onClick) onClick();
  return true;
}

void TPictureButtons::Hover(const TImage& control) {
  for (int n = 1; n <= Count(); ++n) Button(n).SetBounds(row_.Resting(n));
  if (const int number = NumberOf(control)) Button(number).SetBounds(row_.Hovered(number));
}

}  // namespace ormind
