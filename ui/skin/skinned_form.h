#pragma once
// TSkinnedForm: a borderless window drawn from pictures and shaped by its face (every pure
// white pixel of the face picture is cut out), with windowless picture controls on the face and
// drag-to-move by the face. The main window and the greeting editor derive from it.
#include <windows.h>

#include <vector>

#include "platform/window.h"
#include "base/geometry.h"
#include "ui/skin/hint_tips.h"
#include "ui/skin/image_control.h"
#include "ui/skin/rules/display_scale.h"
#include "ui/skin/skin_host.h"
#include "ui/skin/window_shape.h"
#include "base/mouse_button.h"

namespace ormind {

// The face's pure white pixels are see-through and click-through.
inline constexpr COLORREF kTransparentColorValue = 0x00FFFFFF;

class TSkinnedForm : public TWindow {
 public:
  explicit TSkinnedForm(TSkinHost host) : host_(std::move(host)) {}
  ~TSkinnedForm() override;

  const TSkinHost& Host() const { return host_; }

  // Shows the window; when it was hidden, FormShow runs first.
  void Show();
  // Hides the window; the program's taskbar button goes only when no other window of it is
  // visible.
  void Hide();
  // The window's close command (its close button, the platform's close, the tray menu).
  virtual void Close() { Hide(); }

  // The scale the window is laid out at: its monitor's DPI over 96.
  const DisplayScale& Scale() const { return scale_; }

  // How the window is cut out: by a region made from its face, or (where that cannot be made)
  // by a colour key on white.
  TWindowShape Shape() const { return shape_; }

  // Used by the controls.
  void InvalidateArea(const Bounds& area);
  void ControlMoved(const TImage& control);
  void ControlHintChanged(const TImage& control);
  void ControlPictureChanged(const TImage& control);

  // Paints the part of the face that lies under `area` (client coordinates) at (0, 0) of
  // `dc`: the background of child windows that show their parent through.
  void PaintFaceUnder(HDC dc, const Bounds& area) const;

  // Controls hosted here never paint the see-through colour: it would cut a hole in the window.
  COLORREF ColorForControls(COLORREF wanted) const override;

 protected:
  // Creates the window with client area `bounds` (screen coordinates), owned by the host's
  // hidden window; Scale() is then the DPI the window has.
  void CreateForm(const wchar_t* className, const wchar_t* caption, const Bounds& bounds);

  // Sizes the window, places its controls, sizes its fonts and loads its pictures for Scale().
  // Runs again whenever the window moves to a monitor of another DPI; the forms call it once
  // they have made their controls.
  virtual void LayOut() {}
  // Sizes the window (keeping its top-left corner) to `layout` pixels at Scale().
  void SetLayoutSize(int layoutWidth, int layoutHeight);
  // Sizes the window as SetLayoutSize and puts `face` over all of it with the rendering of the
  // picture resource `picture100` (its name at 100 %) for Scale().
  void LayOutFace(TImage& face, const wchar_t* picture100, int layoutWidth, int layoutHeight);

  // The face (drawn first) and the controls on it, in drawing order. The first control added
  // is the face: the window takes its outline then, and again whenever its picture changes.
  void AddControl(TImage& control);
  TImage* ControlAt(int x, int y) const;
  TImage* FindControl(std::string_view name) const;

  // Moves the window with the mouse until `button` is released. The left button uses the
  // platform's move loop, as if the user had pressed on a caption; that loop ends only on a
  // left-button release, so the other buttons are followed here instead.
  void StartDrag(MouseButton button);

  virtual void FormShow() {}
  // Draws what lies on the face besides the picture controls (texts), after them.
  virtual void PaintOverControls(HDC dc) {}
  virtual void MouseDown(TImage& control, MouseButton button, int x, int y) {}
  virtual void MouseUp(TImage& control, MouseButton button, int x, int y) {}
  virtual void MouseMove(TImage& control, int x, int y) {}
  virtual void Click(TImage& control) {}
  virtual void MouseWheel(int delta) {}

 private:
  friend class TPictureButtons;  // puts its buttons on the face
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShapeByFace();
  void DpiChanged(UINT dpi, const RECT& suggested);
  void Paint();
  void OnButtonDown(MouseButton button, LPARAM position);
  void OnButtonUp(MouseButton button, LPARAM position);
  void OnMouseMove(LPARAM position);
  bool FollowDrag(UINT message);

  TSkinHost host_;
  DisplayScale scale_;
  TWindowShape shape_ = TWindowShape::Rectangle;
  std::vector<TImage*> controls_;
  TImage* pressed_ = nullptr;  // the control that holds the mouse capture
  bool clicking_ = false;      // the left button went down on `pressed_`
  bool dragging_ = false;      // a right or middle button drags the window
  POINT dragOffset_{};         // cursor position within the window while dragging
  HintTips hints_;
};

}  // namespace ormind
