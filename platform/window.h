#pragma once
// TWindow: the one base of every window class the program registers. One C++ object per
// window: the object is bound to its window in WM_NCCREATE and unbound in WM_NCDESTROY, and
// every message is dispatched to HandleMessage through the error funnel.
//
// Lifetime rule: the object that owns a window destroys it in its own destructor
// (DestroyHandle()), before its members go; destroying a window destroys its child windows
// first, while the objects that own them (members of the owner) are still alive. TWindow's
// own destructor unbinds a window that is still there before destroying it, so no message
// reaches a destroyed object whatever the order.
#include <windows.h>

#include <vector>

namespace ormind {

class TControl;

// The icon group resource every program of the project carries (the wine glass).
inline constexpr wchar_t kProgramIcon[] = L"MAINICON";

struct WindowClassSpec {
  const wchar_t* name = nullptr;
  UINT style = 0;
  // An icon group resource of the program (null: none). Its image for the large-icon size
  // becomes the class's icon, the one for the small-icon size (title bar, taskbar, Alt+Tab) its
  // small icon, each loaded at its own size rather than one shrunk into the other.
  const wchar_t* icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

struct WindowSpec {
  DWORD exStyle = 0;
  DWORD style = 0;
  const wchar_t* caption = L"";
  int left = 0, top = 0, width = 0, height = 0;
  HWND parent = nullptr;  // the parent of a child window, the owner of a top-level one
  UINT_PTR childId = 0;
};

class TWindow {
 public:
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  bool Visible() const { return handle_ && IsWindowVisible(handle_); }

  // The object bound to `window`, or null when it is not one of the program's windows.
  static TWindow* FromHandle(HWND window);
  // Windows bound to objects right now (the leak tests read it).
  static int LiveWindows();

  // Whether the message loop lets the dialog manager see this window's keys when it is
  // active: Tab and Shift+Tab move between controls, Enter and Esc become IDOK and IDCANCEL.
  bool WantsDialogKeys() const { return dialogKeys_; }

  // The colour a hosted control paints when it asks for `wanted`: a window that must never
  // show some colour (a skinned window's see-through colour) gives a neighbour instead.
  virtual COLORREF ColorForControls(COLORREF wanted) const { return wanted; }

 protected:
  TWindow() = default;
  virtual ~TWindow();

  // Registers the class (once per process) and creates the window; throws when it cannot.
  void CreateHandle(const WindowClassSpec& windowClass, const WindowSpec& window);
  // Destroys the window and its children now. Afterwards no message reaches this object.
  void DestroyHandle();
  void SetWantsDialogKeys(bool wants) { dialogKeys_ = wants; }

  // One message. The default routes control notifications (WM_COMMAND, WM_NOTIFY and the
  // control colours) to the controls this window hosts, and passes the rest to DefaultHandler.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs after the window is gone and unbound (WM_NCDESTROY). A window that frees itself when
  // closed deletes itself here: nothing touches the object afterwards.
  virtual void WindowDestroyed() {}

 private:
  friend class TControl;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Bind(HWND window);
  void Unbind();
  TControl* ControlOf(HWND window) const;
  bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND handle_ = nullptr;
  bool dialogKeys_ = false;
  std::vector<TControl*> controls_;  // the child controls hosted, in creation order
};

}  // namespace ormind
