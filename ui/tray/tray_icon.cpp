#include "ui/tray/tray_icon.h"

#include <algorithm>
#include <chrono>
#include <initializer_list>

#include "platform/message_loop.h"
#include "ui/tray/rules/tray_tooltip.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

static_assert(kMouseMove == WM_MOUSEMOVE && kLButtonDown == WM_LBUTTONDOWN &&
              kMButtonDblClk == WM_MBUTTONDBLCLK);
static_assert(kBalloonInfoIcon == NIIF_INFO && kBalloonUserIcon == NIIF_USER &&
              kBalloonNoSound == NIIF_NOSOUND && kBalloonLargeIcon == NIIF_LARGE_ICON);
static_assert(sizeof(NOTIFYICONDATAW) > NOTIFYICONDATAW_V3_SIZE, "the record has hBalloonIcon");

DWORD RecordSize(NotifyRecordVersion version) {
  switch (version) {
    case NotifyRecordVersion::First: return NOTIFYICONDATAW_V1_SIZE;
    case NotifyRecordVersion::Second: return NOTIFYICONDATAW_V2_SIZE;
    case NotifyRecordVersion::Third: return NOTIFYICONDATAW_V3_SIZE;
    case NotifyRecordVersion::Current: break;
  }
  return sizeof(NOTIFYICONDATAW);
}

// Copies UTF-8 `text` into a fixed field of `N` units, always terminated.
template <std::size_t N>
void CopyField(const std::string& text, wchar_t (&field)[N]) {
  const std::wstring wide = Utf8ToWide(text);
  const std::size_t units = std::min(wide.size(), N - 1);
  std::copy_n(wide.begin(), units, field);
  field[units] = L'\0';
}

// Where the shell lets the user read it, for as long as it allows (older shells: 10 to 30 s).
constexpr UINT kBalloonMilliseconds = 30000;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// The keys held now: this window's thread gets no keyboard input, so its own key state
// (GetKeyState) is stale.
ShiftState KeysHeld() {
  ShiftState keys = 0;
  if (GetAsyncKeyState(VK_SHIFT) < 0) keys |= ssShift;
  if (GetAsyncKeyState(VK_CONTROL) < 0) keys |= ssCtrl;
  if (GetAsyncKeyState(VK_MENU) < 0) keys |= ssAlt;
  return keys;
}

// An elevated copy would otherwise never hear of a restarted shell or of a second start
// (messages from less privileged processes are dropped). The call is missing before Windows 7.
void AllowFromOtherProcesses(HWND window, std::initializer_list<UINT> messages) {
  using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto change = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<ChangeFilter>(reinterpret_cast<void*>(
                        GetProcAddress(user32, "ChangeWindowMessageFilterEx")))
                  : nullptr;
  }();
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  if (change)
    for (const UINT message : messages) change(window, message, kAllow, nullptr);
}

// A shell busy at logon may time out on the first add: try again every two seconds for about
// a minute.
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMilliseconds = 2000;
constexpr int kRetryTicks = 30;

}  // namespace

UINT ShowRequestMessage() {
  static const UINT message = RegisterWindowMessageW(L"Ormind.ShowMainWindow");
  return message;
}

TTrayIcon::TTrayIcon(TrayShell& shell) : shell_(shell) {
  CreateHandle({.name = kTrayWindowClass}, {.exStyle = WS_EX_TOOLWINDOW, .style = WS_POPUP});
  AllowFromOtherProcesses(Handle(), {TaskbarCreatedMessage(), ShowRequestMessage()});
  icon_.OnChange = [this] { RefreshTray(); };
  icons_.OnChange = [this] { RefreshTray(); };
}

TTrayIcon::~TTrayIcon() {
  *alive_ = false;
  alive_.reset();
  enabled_ = false;
  icon_.OnChange = nullptr;
  icons_.OnChange = nullptr;
  SetAnimated(false);
  RemoveFromTray();
  if (popupMenu_) popupMenu_->RemoveDestroyListener(this);
  DestroyHandle();
}

void TTrayIcon::Loaded() {
  loaded_ = true;
  if (active_ && !added_) AddToTray();
}

void TTrayIcon::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active)
    AddToTray();
  else
    RemoveFromTray();
}

void TTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  RefreshTray();
}

void TTrayIcon::SetPopupMenu(TTrayPopupMenu* menu) {
  if (popupMenu_) popupMenu_->RemoveDestroyListener(this);
  popupMenu_ = menu;
  if (menu) menu->AddDestroyListener(this, [this] { popupMenu_ = nullptr; });
}

// --- the shell ------------------------------------------------------------------------------

HICON TTrayIcon::ShownIcon() const {
  if (icons_.Count() > 0 && animated_) return icons_[ClampFrame(frame_, icons_.Count())];
  return icon_.Handle();
}

NOTIFYICONDATAW TTrayIcon::NotifyRecord() const {
  // The first version of the record: icon, callback message and a 64-unit tooltip, nothing
  // newer, so every shell reads it the same way.
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = Handle();
  record.uID = 0;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = WM_TRAYNOTIFY;
  record.hIcon = ShownIcon();
  const std::wstring tip = Utf8ToWide(TrayTooltip(hint_));
  std::copy_n(tip.begin(), std::min<std::size_t>(tip.size(), 63), record.szTip);
  return record;
}

void TTrayIcon::AddToTray() {
  RemoveFromTray();
  if (!ShownIcon()) return;
  mouse_.Reset();
  const NOTIFYICONDATAW record = NotifyRecord();
  added_ = shell_.Notify(NIM_ADD, record);
  if (added_)
    IconArrived(record);
  else
    StartRetrying();
}

void TTrayIcon::IconArrived(const NOTIFYICONDATAW& record) {
  if (ShortHint(hint_).empty()) shell_.Notify(NIM_MODIFY, record);
  if (animated_ && ticker_) ticker_->Resume();
  SendPendingBalloon();
}

// --- notifications --------------------------------------------------------------------------

std::optional<NOTIFYICONDATAW> TTrayIcon::BalloonRecord(const std::string& title,
                                                        const std::string& text) const {
  const BalloonStyle style = ChooseBalloonStyle(shell_.Version(), !balloonIcon_.Empty());
  if (!style.shown) return std::nullopt;
  // The icon's own record stays the first version; only this call needs a later one, of the
  // size this shell reads. The tooltip is not part of it, so it is left as it is.
  NOTIFYICONDATAW record{};
  record.cbSize = RecordSize(style.record);
  record.hWnd = Handle();
  record.uID = 0;
  // The icon is sent again (unchanged): XP's shell takes the notification's icon from it.
  record.uFlags = NIF_INFO | NIF_ICON;
  record.hIcon = ShownIcon();
  CopyField(title, record.szInfoTitle);
  CopyField(text, record.szInfo);
  record.uTimeout = kBalloonMilliseconds;
  record.dwInfoFlags = style.flags;
  if (style.usesLargeIcon) record.hBalloonIcon = balloonIcon_.Handle();
  return record;
}

void TTrayIcon::ShowBalloon(const std::string& title, const std::string& text, HICON largeIcon) {
  if (!active_) return;
  balloonIcon_.Assign(largeIcon);
  pendingBalloon_ = Balloon{title, text};
  if (added_) SendPendingBalloon();
}

void TTrayIcon::SendPendingBalloon() {
  if (!pendingBalloon_) return;
  const Balloon balloon = std::move(*pendingBalloon_);
  pendingBalloon_.reset();
  if (const auto record = BalloonRecord(balloon.title, balloon.text))
    shell_.Notify(NIM_MODIFY, *record);
}

void TTrayIcon::StartRetrying() {
  retryTicksLeft_ = kRetryTicks;
  SetTimer(Handle(), kRetryTimer, kRetryMilliseconds, nullptr);
}

void TTrayIcon::StopRetrying() {
  retryTicksLeft_ = 0;
  KillTimer(Handle(), kRetryTimer);
}

void TTrayIcon::RetryAdd() {
  if (retryTicksLeft_ <= 0 || added_ || !active_ || !ShownIcon()) return StopRetrying();
  --retryTicksLeft_;
  const NOTIFYICONDATAW record = NotifyRecord();
  // An add that timed out may still have put the icon there: a second add would then fail
  // for ever, while a modify finds it.
  added_ = shell_.Notify(NIM_MODIFY, record) || shell_.Notify(NIM_ADD, record);
  if (added_) {
    StopRetrying();
    IconArrived(record);
  } else if (retryTicksLeft_ == 0) {
    StopRetrying();
  }
}

void TTrayIcon::RemoveFromTray() {
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = Handle();
  record.uID = 0;
  shell_.Notify(NIM_DELETE, record);
  added_ = false;
  StopRetrying();
  mouse_.Reset();
  if (animated_ && ticker_) ticker_->Pause();
}

void TTrayIcon::RefreshTray() {
  if (icons_.Count() == 0) StopAnimation();
  if (added_) {
    if (!ShownIcon())
      RemoveFromTray();
    else
      shell_.Notify(NIM_MODIFY, NotifyRecord());
  } else if (active_ && loaded_) {
    AddToTray();
  }
}

// --- animation ------------------------------------------------------------------------------

void TTrayIcon::SetAnimated(bool animated) {
  if (animated == animated_) return;
  if (animated) {
    if (icons_.Count() == 0) return;
    HWND window = Handle();
    ticker_ = std::make_unique<FrameTicker>(
        std::make_unique<SystemTickSleeper>(),
        [this] { return std::chrono::milliseconds(interval_.load()); },
        [window] { PostMessageW(window, WM_TRAYANIMATE, 0, 0); }, !added_);
    animated_ = true;
  } else {
    StopAnimation();
  }
  frame_ = 0;
  RefreshTray();
}

void TTrayIcon::StopAnimation() {
  animated_ = false;
  ticker_.reset();  // the worker ends at once, even in the middle of a wait
}

void TTrayIcon::StepAnimation() {
  // A step posted just before the animation stopped arrives late: ignore it.
  if (!animated_) return;
  frame_ = NextFrame(frame_, icons_.Count());
  RefreshTray();
}

// --- mouse ----------------------------------------------------------------------------------

bool TTrayIcon::ClickDefaultItem() {
  if (!active_ || !popupMenu_) return false;
  if (const TMenuItem* item = popupMenu_->Items().DefaultItem()) {
    item->Click();
    return true;
  }
  return false;
}

void TTrayIcon::BringMenuOwnerForward() {
  if (IsWindowEnabled(Handle())) SetForegroundWindow(Handle());
}

bool TTrayIcon::PopupMenuAt(int x, int y) {
  if (!active_ || !popupMenu_ || !popupMenu_->AutoPopup) return false;
  popupMenu_->PopupComponent = this;
  HWND modal = GetActiveWindow();
  if (!modal) modal = MainWindow;
  if (modal) SendMessageW(modal, WM_CANCELMODE, 0, 0);
  BringMenuOwnerForward();
  const std::weak_ptr<bool> alive = alive_;
  ProcessPendingMessages();
  // The waiting messages may have closed the program or taken the menu away.
  if (alive.expired()) return true;
  if (!popupMenu_) return false;
  // Once the menu has closed the foreground is left alone: the user may have clicked into
  // another program to close it.
  popupMenu_->Popup(x, y);
  return true;
}

void TTrayIcon::Raise(const TrayMouseEvent& event, int x, int y) {
  switch (event.kind) {
    case TrayEventKind::MouseMove:
      if (auto hook = OnMouseMove) hook(*this, event.shift, x, y);
      break;
    case TrayEventKind::MouseDown:
      if (auto hook = OnMouseDown) hook(*this, event.button, event.shift, x, y);
      break;
    case TrayEventKind::MouseUp:
      if (auto hook = OnMouseUp) hook(*this, event.button, event.shift, x, y);
      break;
    case TrayEventKind::Click:
      if (event.button == MouseButton::Right && PopupMenuAt(x, y)) break;
      if (auto hook = OnClick) hook(*this, event.button, event.shift, x, y);
      break;
    case TrayEventKind::DoubleClick:
      if (!ClickDefaultItem())
        if (auto hook = OnDblClick) hook(*this);
      break;
  }
}

void TTrayIcon::HandleMouse(std::uint32_t mouseMessage) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const auto events = mouse_.Translate(mouseMessage, KeysHeld());
  const std::weak_ptr<bool> alive = alive_;
  for (const TrayMouseEvent& event : events) {
    Raise(event, cursor.x, cursor.y);
    if (alive.expired()) return;  // a handler closed the program
  }
}

// --- the hidden window ----------------------------------------------------------------------

LRESULT TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TRAYNOTIFY && enabled_) {
    if (lParam == NIN_BALLOONUSERCLICK) {
      if (auto hook = OnBalloonClick) hook(*this);
    } else {
      HandleMouse(std::uint32_t(lParam));
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kRetryTimer) {
    RetryAdd();
    return 0;
  }
  if (message == WM_TRAYANIMATE) {
    StepAnimation();
    return 0;
  }
  if (message == TaskbarCreatedMessage()) {
    // The shell restarted and forgot every icon: put ours back, or a hidden program would be
    // out of reach.
    if (active_) AddToTray();
    return 0;
  }
  if (message == ShowRequestMessage()) {
    if (auto hook = OnShowRequest) hook(*this);
    return 0;
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
