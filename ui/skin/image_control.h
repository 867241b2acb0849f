#pragma once
// TImage: a windowless picture control drawn on its window's surface, at a place given in the
// window's client coordinates. The window finds it under the mouse and passes it the mouse
// events; the control only draws and knows its place.
#include <windows.h>

#include <memory>
#include <string>

#include "base/geometry.h"
#include "pictures/win32/graphic.h"
#include "ui/skin/rules/picture_fit.h"

namespace ormind {

class TSkinnedForm;

class TImage {
 public:
  TImage(TSkinnedForm& parent, std::string name, Bounds bounds, PictureFit fit, bool transparent);

  const std::string& Name() const { return name_; }
  const Bounds& BoundsRect() const { return bounds_; }
  // Moves or resizes the control and repaints what it covered and what it covers now.
  void SetBounds(const Bounds& bounds);

  void SetPicture(std::unique_ptr<TGraphic> picture);
  TGraphic* Picture() const { return picture_.get(); }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);

  // Draws the picture into its destination rectangle within the control.
  void Paint(HDC dc) const;

 private:
  TSkinnedForm& parent_;
  std::string name_;
  Bounds bounds_;
  PictureFit fit_;
  bool transparent_;
  // An opaque bitmap shown smaller than it is (a face at a scale between its renderings) is
  // replaced, on its first paint, by its copy drawn down to the size shown, so every paint is
  // a plain copy and the larger pixels are let go (a window sets its picture again whenever
  // its scale changes). False when the picture is no bitmap or not larger.
  bool DrawDownTo(int width, int height) const;

  mutable std::unique_ptr<TGraphic> picture_;
  std::string hint_;
};

}  // namespace ormind
