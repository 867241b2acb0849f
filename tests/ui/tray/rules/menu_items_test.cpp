#include "ui/tray/rules/menu_items.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace ormind {
namespace {

TEST(MenuItems, EntryBits) {
  struct Case {
    const char* caption;
    bool isDefault, enabled, checked;
    MenuEntryBits expected;
  };
  const Case cases[] = {
      {"Show", true, true, false, {kMftString, kMfsDefault}},
      {"Minimize", false, true, false, {kMftString, 0}},
      {"-", false, true, false, {kMftSeparator, 0}},
      {"Close", false, false, false, {kMftString, kMfsGrayed}},
      {"Close", false, true, true, {kMftString, kMfsChecked}},
      {"Show", true, false, true, {kMftString, kMfsDefault | kMfsGrayed | kMfsChecked}},
      {"--", false, true, false, {kMftString, 0}},  // only exactly "-" is a separator
      {" -", false, true, false, {kMftString, 0}},
  };
  for (const auto& c : cases) {
    TMenuItem item;
    item.Caption = c.caption;
    item.Default = c.isDefault;
    item.Enabled = c.enabled;
    item.Checked = c.checked;
    EXPECT_EQ(MenuEntryFor(item), c.expected) << '"' << c.caption << '"';
  }
}

TEST(MenuItems, PopupFlags) {
  using A = PopupAlignment;
  using T = TrackButton;
  struct Case {
    A alignment;
    T button;
    bool rtl;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {A::Left, T::Right, false, 0x0002},  // the menu's defaults
      {A::Left, T::Left, false, 0x0000},
      {A::Right, T::Right, false, 0x000A},
      {A::Center, T::Left, false, 0x0004},
      {A::Left, T::Right, true, 0x000A},  // left and right swap when reading right to left
      {A::Right, T::Left, true, 0x0000},
      {A::Center, T::Right, true, 0x0006},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PopupFlags(c.alignment, c.button, c.rtl), c.expected)
        << int(c.alignment) << ' ' << int(c.button) << ' ' << c.rtl;
}

// The main window's menu: N1 default, N2, a separator, N4.
struct TrayMenu {
  MenuItemList list;
  std::vector<std::string> clicks;
  TrayMenu() {
    list.Add("N1", "Show", [this] { clicks.push_back("N1"); }).Default = true;
    list.Add("N2", "Minimize", [this] { clicks.push_back("N2"); });
    list.Add("N3", "-");
    list.Add("N4", "Close", [this] { clicks.push_back("N4"); });
  }
};

TEST(MenuItems, DefaultItemSkipsDisabledOnes) {
  TrayMenu menu;
  ASSERT_NE(menu.list.DefaultItem(), nullptr);
  EXPECT_EQ(menu.list.DefaultItem()->Name, "N1");

  menu.list.FindByName("N1")->Enabled = false;
  EXPECT_EQ(menu.list.DefaultItem(), nullptr) << "a disabled default item does not run";

  menu.list.FindByName("N4")->Default = true;
  ASSERT_NE(menu.list.DefaultItem(), nullptr);
  EXPECT_EQ(menu.list.DefaultItem()->Name, "N4") << "the first default and enabled item wins";

  menu.list.FindByName("N1")->Enabled = true;
  EXPECT_EQ(menu.list.DefaultItem()->Name, "N1");
}

TEST(MenuItems, CommandsAreUniqueAndFindTheirItem) {
  TrayMenu first, second;
  std::set<std::uint32_t> seen;
  for (const auto* menu : {&first, &second})
    for (const auto& item : menu->list.Items()) {
      EXPECT_NE(item->Command(), 0u);
      EXPECT_LE(item->Command(), 0xFFFFu);
      EXPECT_TRUE(seen.insert(item->Command()).second) << "duplicate command " << item->Command();
      EXPECT_EQ(menu->list.FindByCommand(item->Command()), item.get());
    }
  EXPECT_EQ(first.list.FindByCommand(second.list.Items()[0]->Command()), nullptr);
  EXPECT_EQ(first.list.FindByCommand(0), nullptr);

  first.list.FindByCommand(first.list.Items()[3]->Command())->Click();
  first.list.FindByName("N3")->Click();  // a separator has no handler: nothing happens
  EXPECT_EQ(first.clicks, std::vector<std::string>{"N4"});
}

}  // namespace
}  // namespace ormind
