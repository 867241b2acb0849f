#pragma once
// The row of round picture buttons on a skinned window's face, named "btn1", "btn2", ... in
// order: each rests in its place, grows while the mouse is over it, lifts while pressed and
// drops back on release, and calls its own handler when clicked. The window passes its mouse
// events on; the row answers only for its own buttons.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/skin/image_control.h"
#include "ui/skin/rules/button_row.h"

namespace ormind {

class TSkinnedForm;

class TPictureButtons {
 public:
  TPictureButtons(TSkinnedForm& form, const ButtonRow& row)
      : form_(form), layoutRow_(row), row_(row) {}

  // Adds the next button at its resting place, with its picture (the name of a stored-picture
  // resource at 100 %) and hint, and puts it on the form after the controls added so far. The
  // picture is loaded by SetScale.
  void Add(const wchar_t* pictureResource, std::string hint, std::function<void()> onClick);
  // Lays the row out at `scale`: every button at rest in its scaled place, with its picture from
  // the rendering for that scale.
  void SetScale(const DisplayScale& scale);

  int Count() const { return static_cast<int>(buttons_.size()); }
  TImage& Button(int number) { return *buttons_.at(number - 1).image; }  // 1 ... Count()
  void SetHint(int number, std::string hint) { Button(number).SetHint(std::move(hint)); }

  // The mouse on `control`; each returns false when it is not one of these buttons.
  bool Press(TImage& control);
  bool Release(TImage& control);
  bool Click(TImage& control);
  // Every button at rest, and the one under the mouse (if `control` is one) enlarged.
  void Hover(const TImage& control);

 private:
  struct Entry {
    std::unique_ptr<TImage> image;
    std::wstring pictureResource;
    std::function<void()> onClick;
  };
  // The button's number (1 ... Count()), or 0 when `control` is not one of them.
  int NumberOf(const TImage& control) const;

  TSkinnedForm& form_;
  ButtonRow layoutRow_;  // at 96 DPI
  ButtonRow row_;        // at the form's scale
  std::vector<Entry> buttons_;
};

}  // namespace ormind
