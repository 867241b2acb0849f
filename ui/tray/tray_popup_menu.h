#pragma once
// TTrayPopupMenu: the menu of the tray icon's right click. Its entries are built from its
// items each time it opens, so captions changed at run time (the interface language) show at
// once. All such menus share one hidden window that owns them while they are open and turns
// the chosen command back into the item's click.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "platform/handles.h"
#include "ui/tray/rules/menu_items.h"

namespace ormind {

class TrayMenuOwner;

class TTrayPopupMenu {
 public:
  TTrayPopupMenu();
  ~TTrayPopupMenu();
  TTrayPopupMenu(const TTrayPopupMenu&) = delete;
  TTrayPopupMenu& operator=(const TTrayPopupMenu&) = delete;

  TMenuItem& Add(std::string name, std::string caption, std::function<void()> onClick = {}) {
    return items_.Add(std::move(name), std::move(caption), std::move(onClick));
  }
  const MenuItemList& Items() const { return items_; }

  PopupAlignment Alignment = PopupAlignment::Left;
  TrackButton TrackingButton = TrackButton::Right;
  bool RightToLeftReading = false;  // swaps left and right alignment
  bool AutoPopup = true;
  std::function<void()> OnPopup;
  const void* PopupComponent = nullptr;  // who opened the menu last (the tray icon)
  POINT PopupPoint{};

  // Shows the menu with its top-left corner at the screen point (x, y) and returns when it
  // closes; the chosen item's click runs afterwards, from the shared window's messages.
  void Popup(int x, int y);

  // The flags Popup passes to TrackPopupMenu.
  UINT PopupFlagsInUse() const;
  // The system menu as the items stand now (rebuilt on each call; owned by this menu).
  HMENU Handle();

  // Destruction notices: `onDestroy` runs when this menu is destroyed, unless removed first.
  void AddDestroyListener(const void* who, std::function<void()> onDestroy);
  void RemoveDestroyListener(const void* who);

  // The hidden window that owns every open menu of this kind, made on the first call while a
  // menu exists (none when no menu exists).
  static HWND SharedWindow();
  // The hint of the menu item under the mouse (empty when none): the application's hint.
  static const std::string& CurrentHint();

 private:
  friend class TrayMenuOwner;
  static bool RunCommand(UINT command);
  static void ShowHintFor(UINT command);

  MenuItemList items_;
  MenuHandle handle_;
  std::map<const void*, std::function<void()>> destroyListeners_;
};

}  // namespace ormind
