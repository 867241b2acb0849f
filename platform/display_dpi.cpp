#include "platform/display_dpi.h"

#include "platform/handles.h"

namespace ormind {
namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, spelt out: older headers lack it.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
constexpr int kMonitorEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!handle) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

using SetProcessContext = BOOL(WINAPI*)(HANDLE);
using SetProcessAware = BOOL(WINAPI*)();
using GetSystemDpi = UINT(WINAPI*)();
using GetWindowDpi = UINT(WINAPI*)(HWND);
using GetMonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

}  // namespace

void DeclareDpiAwareness() {
  static const auto perMonitor = Lookup<SetProcessContext>(L"user32.dll", "SetProcessDpiAwarenessContext");
  // Refused when the manifest has set the awareness already, which is what is wanted.
  if (perMonitor && (perMonitor(kPerMonitorAwareV2) || GetLastError() == ERROR_ACCESS_DENIED)) return;
  static const auto systemAware = Lookup<SetProcessAware>(L"user32.dll", "SetProcessDPIAware");
  if (systemAware) systemAware();
}

UINT SystemDpi() {
  static const auto forSystem = Lookup<GetSystemDpi>(L"user32.dll", "GetDpiForSystem");
  if (forSystem) return forSystem();
  MemoryDC screen(nullptr);  // compatible with the screen, so of its resolution
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT MonitorDpi(HMONITOR monitor) {
  static const auto forMonitor = Lookup<GetMonitorDpi>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (forMonitor && monitor && SUCCEEDED(forMonitor(monitor, kMonitorEffectiveDpi, &x, &y)) && y > 0) {
    return y;
  }
  return SystemDpi();
}

UINT WindowDpi(HWND window) {
  static const auto forWindow = Lookup<GetWindowDpi>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = forWindow && window ? forWindow(window) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

}  // namespace ormind
