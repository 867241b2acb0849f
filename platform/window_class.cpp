#include "platform/window_class.h"

namespace ormind {

void EnsureWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                       const WindowClassOptions& options) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExW(instance, className, &windowClass)) return;
  windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = options.style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = options.icon;
  windowClass.hIconSm = options.icon;
  windowClass.hCursor = options.cursor;
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

}  // namespace ormind
