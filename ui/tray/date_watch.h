#pragma once
// TDateWatch: a hidden top-level window that hears of every moment the date may have changed
// while the program runs: the clock or time zone set (WM_TIMECHANGE), a wake from sleep or
// hibernation (WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC), and its own timer just past the
// next midnight, set again from the clock each time.
#include <windows.h>

#include <functional>

#include "platform/window.h"

namespace ormind {

// Class of the hidden window (the end-to-end tests post to it).
inline constexpr wchar_t kDateWatchWindowClass[] = L"OrmindDateWatchWindow";

class TDateWatch final : public TWindow {
 public:
  explicit TDateWatch(std::function<void()> onDateMayHaveChanged);
  ~TDateWatch() override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ArmTimer();
  void DateMayHaveChanged();

  std::function<void()> onDateMayHaveChanged_;
};

}  // namespace ormind
