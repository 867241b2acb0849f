#include "ui/tray_popup_menu.h"

#include <algorithm>
#include <vector>

#include "ui/handler_errors.h"
#include "platform/text_encoding.h"
#include "platform/window_class.h"

namespace ormind {
namespace {

static_assert(kMftSeparator == MFT_SEPARATOR && kMfsDefault == MFS_DEFAULT &&
              kMfsGrayed == MFS_GRAYED && kMfsChecked == MFS_CHECKED);
static_assert(kTpmLeftAlign == TPM_LEFTALIGN && kTpmRightAlign == TPM_RIGHTALIGN &&
              kTpmCenterAlign == TPM_CENTERALIGN && kTpmRightButton == TPM_RIGHTBUTTON &&
              kTpmLeftButton == TPM_LEFTBUTTON);

constexpr wchar_t kWindowClass[] = L"OrmindTrayMenuWindow";

// The menus alive in this process, in creation order, and their shared window.
std::vector<TTrayPopupMenu*>& Menus() {
  static std::vector<TTrayPopupMenu*> menus;
  return menus;
}
HWND g_sharedWindow = nullptr;
std::string g_hint;

}  // namespace

TTrayPopupMenu::TTrayPopupMenu() {
  if (Menus().empty()) {
    EnsureWindowClass(GetModuleHandleW(nullptr), kWindowClass, MenuWindowProc);
    g_sharedWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  Menus().push_back(this);
}

TTrayPopupMenu::~TTrayPopupMenu() {
  auto listeners = std::move(destroyListeners_);
  for (auto& [who, onDestroy] : listeners) onDestroy();
  auto& menus = Menus();
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
  if (handle_) DestroyMenu(handle_);
  if (menus.empty() && g_sharedWindow) {
    DestroyWindow(g_sharedWindow);
    g_sharedWindow = nullptr;
  }
}

HWND TTrayPopupMenu::SharedWindow() { return g_sharedWindow; }
const std::string& TTrayPopupMenu::CurrentHint() { return g_hint; }

void TTrayPopupMenu::AddDestroyListener(const void* who, std::function<void()> onDestroy) {
  destroyListeners_[who] = std::move(onDestroy);
}

void TTrayPopupMenu::RemoveDestroyListener(const void* who) { destroyListeners_.erase(who); }

HMENU TTrayPopupMenu::Handle() {
  if (handle_) DestroyMenu(handle_);
  handle_ = CreatePopupMenu();
  UINT position = 0;
  for (const auto& item : items_.Items()) {
    const MenuEntryBits bits = MenuEntryFor(*item);
    std::wstring caption = Utf8ToWide(item->Caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | (item->IsSeparator() ? 0 : MIIM_STRING);
    info.fType = bits.type;
    info.fState = bits.state;
    info.wID = item->Command();
    info.dwTypeData = caption.data();
    InsertMenuItemW(handle_, position++, TRUE, &info);
  }
  return handle_;
}

UINT TTrayPopupMenu::PopupFlagsInUse() const {
  return PopupFlags(Alignment, TrackingButton, RightToLeftReading);
}

void TTrayPopupMenu::Popup(int x, int y) {
  PopupPoint = {x, y};
  if (auto onPopup = OnPopup) onPopup();
  HWND owner = g_sharedWindow;
  TrackPopupMenu(Handle(), PopupFlagsInUse(), x, y, 0, owner, nullptr);
  // Without this empty message the menu may not close when the user clicks elsewhere, and the
  // next right click may not open it (the owner's thread must run once more after tracking).
  PostMessageW(owner, WM_NULL, 0, 0);
}

bool TTrayPopupMenu::RunCommand(UINT command) {
  for (TTrayPopupMenu* menu : Menus()) {
    if (const TMenuItem* item = menu->items_.FindByCommand(command)) {
      item->Click();  // may destroy the menu: touch nothing afterwards
      return true;
    }
  }
  return false;
}

void TTrayPopupMenu::ShowHintFor(UINT command) {
  for (TTrayPopupMenu* menu : Menus()) {
    if (const TMenuItem* item = menu->items_.FindByCommand(command)) {
      g_hint = item->Hint;
      return;
    }
  }
  g_hint.clear();
}

LRESULT CALLBACK TTrayPopupMenu::MenuWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  try {
    switch (message) {
      case WM_COMMAND:
        if (RunCommand(LOWORD(wParam))) return 0;
        break;
      case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        const bool closed = flags == 0xFFFF && lParam == 0;
        if (closed || (flags & (MF_POPUP | MF_SEPARATOR)))
          g_hint.clear();
        else
          ShowHintFor(LOWORD(wParam));
        return 0;
      }
      default:
        break;
    }
  } catch (...) {
    ReportHandlerError();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ormind
