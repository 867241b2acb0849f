#include "ui/tray/date_watch.h"

#include "ui/tray/rules/date_change.h"

namespace ormind {
namespace {

constexpr UINT_PTR kMidnightTimer = 1;

}  // namespace

TDateWatch::TDateWatch(std::function<void()> onDateMayHaveChanged)
    : onDateMayHaveChanged_(std::move(onDateMayHaveChanged)) {
  // Broadcasts reach top-level windows only, hidden ones included, not message-only windows.
  CreateHandle({.name = kDateWatchWindowClass}, {.exStyle = WS_EX_TOOLWINDOW, .style = WS_POPUP});
  ArmTimer();
}

TDateWatch::~TDateWatch() {
  KillTimer(Handle(), kMidnightTimer);
  DestroyHandle();
}

void TDateWatch::ArmTimer() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const auto wait = UntilNextDateCheck(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  // Setting it again replaces the running one.
  SetTimer(Handle(), kMidnightTimer, static_cast<UINT>(wait.count()), nullptr);
}

void TDateWatch::DateMayHaveChanged() {
  ArmTimer();
  if (onDateMayHaveChanged_) onDateMayHaveChanged_();
}

LRESULT TDateWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kMidnightTimer) break;
      DateMayHaveChanged();
      return 0;
    case WM_TIMECHANGE:
      DateMayHaveChanged();
      return 0;
    case WM_POWERBROADCAST:
      // Sent on every wake, whether or not the user is there; a sleep stops the timer.
      if (wParam == PBT_APMRESUMEAUTOMATIC) DateMayHaveChanged();
      return TRUE;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
