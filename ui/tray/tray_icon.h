#pragma once
// TTrayIcon: the program's icon in the notification area. It owns a hidden message window to
// which the shell reports mouse actions on the icon, turns them into press, release, click and
// double-click events, opens its popup menu on a right click and runs the menu's default item
// on a double click.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/window.h"
#include "ui/tray/rules/frame_ticker.h"
#include "ui/tray/tray_icon_image.h"
#include "ui/tray/rules/tray_mouse.h"
#include "ui/tray/tray_popup_menu.h"
#include "ui/tray/tray_shell.h"

namespace ormind {

// The private message number under which the shell reports mouse actions on the icon.
inline constexpr UINT WM_TRAYNOTIFY = 0xB054;
// Posted by the animation worker: time for the next frame.
inline constexpr UINT WM_TRAYANIMATE = 0xB055;
// Class of the hidden window; a second start of the program looks for it.
inline constexpr wchar_t kTrayWindowClass[] = L"OrmindTrayIconWindow";
// Registered message asking a running program to show its main window.
UINT ShowRequestMessage();

class TTrayIcon final : public TWindow {
 public:
  using MouseEvent = std::function<void(TTrayIcon& sender, MouseButton, ShiftState, int x, int y)>;
  using MoveEvent = std::function<void(TTrayIcon& sender, ShiftState, int x, int y)>;
  using NotifyEvent = std::function<void(TTrayIcon& sender)>;

  explicit TTrayIcon(TrayShell& shell = SystemTrayShell());
  ~TTrayIcon() override;
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // Called once the owner has set the stored properties: adds the icon if it is active.
  // Before that, setting the icon or the hint adds nothing, so the icon arrives once.
  void Loaded();

  bool Active() const { return active_; }
  void SetActive(bool active);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  TIcon& Icon() { return icon_; }
  void SetIcon(HICON icon) { icon_.Assign(icon); }
  TIconList& Icons() { return icons_; }
  bool Animated() const { return animated_; }
  void SetAnimated(bool animated);
  std::uint16_t Interval() const { return interval_; }
  void SetInterval(std::uint16_t milliseconds) { interval_ = milliseconds; }
  TTrayPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TTrayPopupMenu* menu);
  // The window whose mouse mode a popping-up menu cancels when no window is active.
  HWND MainWindow = nullptr;

  MouseEvent OnClick, OnMouseDown, OnMouseUp;
  MoveEvent OnMouseMove;
  NotifyEvent OnDblClick;
  // Runs when a second start of the program asks this one to show its main window.
  NotifyEvent OnShowRequest;
  // Runs when the user clicks the notification (NIN_BALLOONUSERCLICK).
  NotifyEvent OnBalloonClick;

  // Shows a notification from the icon (UTF-8 texts, already cut to what the record holds:
  // title 63 units, text 255), silent, with the program's icon where the shell takes one:
  // `largeIcon` (copied) where it takes an icon of its own. An icon not yet in the
  // notification area shows it when it arrives; a shell without notifications shows nothing.
  void ShowBalloon(const std::string& title, const std::string& text, HICON largeIcon);
  // The record ShowBalloon hands the shell; nullopt when this shell shows no notifications.
  std::optional<NOTIFYICONDATAW> BalloonRecord(const std::string& title,
                                               const std::string& text) const;

  // Shell operations.
  void AddToTray();
  void RemoveFromTray();
  void RefreshTray();
  HICON ShownIcon() const;
  NOTIFYICONDATAW NotifyRecord() const;  // as FillNotifyRecord leaves it

  // Runs the menu's first default, enabled item; false when none ran.
  bool ClickDefaultItem();
  // Opens the popup menu at (x, y); false when it was not shown.
  bool PopupMenuAt(int x, int y);

  bool Added() const { return added_; }
  int Frame() const { return frame_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleMouse(std::uint32_t mouseMessage);
  void Raise(const TrayMouseEvent& event, int x, int y);
  void StepAnimation();
  void StopAnimation();
  void BringMenuOwnerForward();
  void IconArrived(const NOTIFYICONDATAW& record);
  void StartRetrying();
  void StopRetrying();
  void RetryAdd();
  void SendPendingBalloon();

  TrayShell& shell_;
  TIcon icon_;
  TIconList icons_;
  std::string hint_;
  bool active_ = true;
  bool enabled_ = true;
  bool added_ = false;
  bool loaded_ = false;
  int retryTicksLeft_ = 0;  // a failed add is tried again from a timer while this is positive
  bool animated_ = false;
  std::atomic<std::uint16_t> interval_{150};
  int frame_ = -1;
  struct Balloon {
    std::string title, text;
  };
  std::optional<Balloon> pendingBalloon_;  // waiting for the icon to arrive
  TIcon balloonIcon_;
  TTrayPopupMenu* popupMenu_ = nullptr;
  TrayMouseTracker mouse_;
  std::unique_ptr<FrameTicker> ticker_;
  // Expires when this object is destroyed, so that a handler that destroyed it (closing the
  // program from the menu) is noticed before anything else is done with it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace ormind
