#pragma once
// TControl: a child control (edit, button, toolbar, status bar, ...) that owns its window.
// The window it lives in (a TWindow) routes the control's notifications to it; the control
// passes them on to small named handlers of the owning window (OnChange, OnClick, ...).
//
// A control is a member of the window object that hosts it, so the hosting window is destroyed
// (children first) before the control object goes; a control destroyed on its own destroys its
// window.
#include <windows.h>

#include <string>
#include <string_view>

namespace ormind {

class TWindow;

struct ControlBounds {
  int left = 0, top = 0, width = 0, height = 0;
};

class TControl {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return handle_; }
  int Id() const { return id_; }

  // Borrows `font` (the owning window keeps it alive as long as the control shows it).
  void SetFont(HFONT font);
  void SetBounds(const ControlBounds& bounds);
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  void SetFocus();
  bool Focused() const;
  std::string Text() const;
  void SetText(std::string_view utf8);

 protected:
  TControl() = default;
  virtual ~TControl();

  // Creates the control's window of class `className` inside `parent` (WS_CHILD is added).
  void CreateControl(TWindow& parent, const wchar_t* className, DWORD style, DWORD exStyle,
                     const ControlBounds& bounds, int id, const wchar_t* caption = L"");

  TWindow* Parent() const { return parent_; }

  // Notifications routed by the hosting window.
  virtual void Command(WORD code, WORD id) {}
  virtual LRESULT Notify(NMHDR& header) { return 0; }
  // The brush to paint the control's background with, after setting colours on `dc`; null
  // for the system's colours.
  virtual HBRUSH Colors(HDC dc) { return nullptr; }
  // A window the control made that sends notifications for it (a toolbar's tooltip).
  virtual bool OwnsHelperWindow(HWND window) const { return false; }

 private:
  friend class TWindow;
  TWindow* parent_ = nullptr;
  HWND handle_ = nullptr;
  int id_ = 0;
};

}  // namespace ormind
