#include "ui/tray/rules/menu_items.h"

#include <atomic>

namespace ormind {
namespace {

// Command numbers are 16 bits in WM_COMMAND; 0 means "no command". Numbers are shared by all
// menus of the process so that one window can route a command to the menu that owns it.
std::uint32_t NextCommand() {
  static std::atomic<std::uint32_t> last{0};
  std::uint32_t command;
  do {
    command = (last.fetch_add(1) + 1) & 0xFFFF;
  } while (command == 0);
  return command;
}

}  // namespace

MenuEntryBits MenuEntryFor(const TMenuItem& item) {
  MenuEntryBits bits{item.IsSeparator() ? kMftSeparator : kMftString, 0};
  if (item.Default) bits.state |= kMfsDefault;
  if (!item.Enabled) bits.state |= kMfsGrayed;
  if (item.Checked) bits.state |= kMfsChecked;
  return bits;
}

std::uint32_t PopupFlags(PopupAlignment alignment, TrackButton button, bool rightToLeft) {
  std::uint32_t flags = kTpmLeftAlign;
  switch (alignment) {
    case PopupAlignment::Left: flags = rightToLeft ? kTpmRightAlign : kTpmLeftAlign; break;
    case PopupAlignment::Right: flags = rightToLeft ? kTpmLeftAlign : kTpmRightAlign; break;
    case PopupAlignment::Center: flags = kTpmCenterAlign; break;
  }
  return flags | (button == TrackButton::Right ? kTpmRightButton : kTpmLeftButton);
}

TMenuItem& MenuItemList::Add(std::string name, std::string caption,
                             std::function<void()> onClick) {
  auto item = std::make_unique<TMenuItem>();
  item->Name = std::move(name);
  item->Caption = std::move(caption);
  item->OnClick = std::move(onClick);
  item->command_ = NextCommand();
  items_.push_back(std::move(item));
  return *items_.back();
}

TMenuItem* MenuItemList::FindByCommand(std::uint32_t command) const {
  for (const auto& item : items_)
    if (item->command_ == command) return item.get();
  return nullptr;
}

TMenuItem* MenuItemList::FindByName(const std::string& name) const {
  for (const auto& item : items_)
    if (item->Name == name) return item.get();
  return nullptr;
}

TMenuItem* MenuItemList::DefaultItem() const {
  for (const auto& item : items_)
    if (item->Default && item->Enabled) return item.get();
  return nullptr;
}

}  // namespace ormind
