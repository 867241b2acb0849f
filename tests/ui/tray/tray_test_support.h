#pragma once
// Helpers for the Windows tests of the tray icon: a shell that records what it is told, a
// message pump with a deadline and solid-colour icons made on the fly.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "ui/tray/tray_shell.h"

namespace ormind::testing {

struct ShellCall {
  DWORD message;
  NOTIFYICONDATAW record;
};

class RecordingShell final : public TrayShell {
 public:
  bool accept = true;
  ShellVersion version{6, 1, 7601};  // Windows 7
  std::vector<ShellCall> calls;
  bool Notify(DWORD message, const NOTIFYICONDATAW& record) override {
    calls.push_back({message, record});
    return message == NIM_DELETE ? true : accept;
  }
  ShellVersion Version() const override { return version; }
  // The notifications asked for, in order.
  std::vector<NOTIFYICONDATAW> Balloons() const {
    std::vector<NOTIFYICONDATAW> balloons;
    for (const auto& c : calls)
      if (c.message == NIM_MODIFY && (c.record.uFlags & NIF_INFO)) balloons.push_back(c.record);
    return balloons;
  }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> m;
    for (const auto& c : calls) m.push_back(c.message);
    return m;
  }
};

// Runs this thread's messages until `done` says so or the time is up; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline void PumpPending() {
  PumpUntil([] { return false; }, std::chrono::milliseconds(0));
}

// A 16 x 16 icon of one colour (the caller destroys it).
inline HICON SolidIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, image);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, brush);
  SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO info{TRUE, 0, 0, mask, image};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(image);
  DeleteObject(mask);
  return icon;
}

inline std::wstring Tip(const NOTIFYICONDATAW& record) { return record.szTip; }

}  // namespace ormind::testing
