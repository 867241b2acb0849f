#pragma once
// Items of a popup menu and the rules that turn them into system menu entries; portable so
// that the rules can be checked without a window system.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ormind {

class TMenuItem {
 public:
  std::string Name;     // N1, N2, ...
  std::string Caption;  // UTF-8; exactly "-" makes a separator
  std::string Hint;
  bool Default = false;  // drawn bold; run by a double click on the tray icon
  bool Enabled = true;
  bool Checked = false;
  std::function<void()> OnClick;

  // The number by which the system reports the item as chosen (given by its menu).
  std::uint32_t Command() const { return command_; }
  bool IsSeparator() const { return Caption == "-"; }
  // Runs the click handler, if any. The handler is copied first: it may destroy the menu
  // and with it this item (the close command ends the program).
  void Click() const {
    if (auto handler = OnClick) handler();
  }

 private:
  friend class MenuItemList;
  std::uint32_t command_ = 0;
};

// Type and state bits of a system menu entry (MENUITEMINFO's fType and fState).
inline constexpr std::uint32_t kMftString = 0x0000;
inline constexpr std::uint32_t kMftSeparator = 0x0800;
inline constexpr std::uint32_t kMfsGrayed = 0x0003;
inline constexpr std::uint32_t kMfsChecked = 0x0008;
inline constexpr std::uint32_t kMfsDefault = 0x1000;

struct MenuEntryBits {
  std::uint32_t type;
  std::uint32_t state;
  bool operator==(const MenuEntryBits&) const = default;
};
MenuEntryBits MenuEntryFor(const TMenuItem& item);

// TrackPopupMenu flags.
enum class PopupAlignment { Left, Right, Center };
enum class TrackButton { Left, Right };
inline constexpr std::uint32_t kTpmLeftAlign = 0x0000;
inline constexpr std::uint32_t kTpmCenterAlign = 0x0004;
inline constexpr std::uint32_t kTpmRightAlign = 0x0008;
inline constexpr std::uint32_t kTpmLeftButton = 0x0000;
inline constexpr std::uint32_t kTpmRightButton = 0x0002;
// Left and right alignment swap when the system reads right to left.
std::uint32_t PopupFlags(PopupAlignment alignment, TrackButton button, bool rightToLeft);

// The items of one menu, in order, each with a command number unique in the process.
class MenuItemList {
 public:
  MenuItemList() = default;
  MenuItemList(const MenuItemList&) = delete;
  MenuItemList& operator=(const MenuItemList&) = delete;

  TMenuItem& Add(std::string name, std::string caption, std::function<void()> onClick = {});
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }
  TMenuItem* FindByCommand(std::uint32_t command) const;
  TMenuItem* FindByName(const std::string& name) const;
  // The first item that is both default and enabled, or none.
  TMenuItem* DefaultItem() const;

 private:
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

}  // namespace ormind
