#include "ui/tray/tray_popup_menu.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/text_encoding.h"
#include "platform/window.h"

namespace ormind {
namespace {

static_assert(kMftSeparator == MFT_SEPARATOR && kMfsDefault == MFS_DEFAULT &&
              kMfsGrayed == MFS_GRAYED && kMfsChecked == MFS_CHECKED);
static_assert(kTpmLeftAlign == TPM_LEFTALIGN && kTpmRightAlign == TPM_RIGHTALIGN &&
              kTpmCenterAlign == TPM_CENTERALIGN && kTpmRightButton == TPM_RIGHTBUTTON &&
              kTpmLeftButton == TPM_LEFTBUTTON);

// The menus alive in this process, in creation order, and their shared window.
std::vector<TTrayPopupMenu*>& Menus() {
  static std::vector<TTrayPopupMenu*> menus;
  return menus;
}
std::string g_hint;

}  // namespace

// The hidden window that owns the open menus: it receives the chosen command and the item
// under the mouse.
class TrayMenuOwner final : public TWindow {
 public:
  TrayMenuOwner() {
    CreateHandle({.name = L"OrmindTrayMenuWindow"},
                 {.exStyle = WS_EX_TOOLWINDOW, .style = WS_POPUP});
  }
  ~TrayMenuOwner() override { DestroyHandle(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        if (TTrayPopupMenu::RunCommand(LOWORD(wParam))) return 0;
        break;
      case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        const bool closed = flags == 0xFFFF && lParam == 0;
        if (closed || (flags & (MF_POPUP | MF_SEPARATOR)))
          g_hint.clear();
        else
          TTrayPopupMenu::ShowHintFor(LOWORD(wParam));
        return 0;
      }
    }
    return TWindow::HandleMessage(message, wParam, lParam);
  }
};

namespace {
std::unique_ptr<TrayMenuOwner> g_sharedWindow;
}  // namespace

TTrayPopupMenu::TTrayPopupMenu() { Menus().push_back(this); }

TTrayPopupMenu::~TTrayPopupMenu() {
  auto listeners = std::move(destroyListeners_);
  for (auto& [who, onDestroy] : listeners) onDestroy();
  auto& menus = Menus();
  menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
  handle_.Reset();
  if (menus.empty()) g_sharedWindow.reset();
}

HWND TTrayPopupMenu::SharedWindow() {
  // Made when a menu first opens rather than with the first menu: the program makes its menu
  // before its main window and need not make this window before that window's first paint.
  if (!g_sharedWindow && !Menus().empty()) g_sharedWindow = std::make_unique<TrayMenuOwner>();
  return g_sharedWindow ? g_sharedWindow->Handle() : nullptr;
}
const std::string& TTrayPopupMenu::CurrentHint() { return g_hint; }

void TTrayPopupMenu::AddDestroyListener(const void* who, std::function<void()> onDestroy) {
  destroyListeners_[who] = std::move(onDestroy);
}

void TTrayPopupMenu::RemoveDestroyListener(const void* who) { destroyListeners_.erase(who); }

HMENU TTrayPopupMenu::Handle() {
  handle_.Reset(CreatePopupMenu());
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
    InsertMenuItemW(handle_.Get(), position++, TRUE, &info);
  }
  return handle_.Get();
}

UINT TTrayPopupMenu::PopupFlagsInUse() const {
  return PopupFlags(Alignment, TrackingButton, RightToLeftReading);
}

void TTrayPopupMenu::Popup(int x, int y) {
  PopupPoint = {x, y};
  if (auto onPopup = OnPopup) onPopup();
  HWND owner = SharedWindow();
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

}  // namespace ormind
