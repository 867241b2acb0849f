// The popup menu: the system entries built from its items, the shared window that routes the
// chosen command, and opening it from the tray icon.
#include "ui/tray/tray_popup_menu.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/ui/tray/tray_test_support.h"
#include "platform/handler_errors.h"
#include "ui/tray/tray_icon.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

struct Entry {
  std::wstring text;
  UINT type, state, id;
};

std::vector<Entry> Entries(HMENU menu) {
  std::vector<Entry> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 63;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    entries.push_back({text, info.fType, info.fState, info.wID});
  }
  return entries;
}

TEST(TrayPopupMenu, EntriesFollowTheItems) {
  TTrayPopupMenu menu;
  TMenuItem& n1 = menu.Add("N1", "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7\xD0\xB0\xD1\x82\xD1\x8C");
  n1.Default = true;
  TMenuItem& n2 = menu.Add("N2", "Minimize");
  menu.Add("N3", "-");
  menu.Add("N4", "Close");
  auto entries = Entries(menu.Handle());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].text, L"\u041F\u043E\u043A\u0430\u0437\u0430\u0442\u044C");
  EXPECT_TRUE(entries[0].state & MFS_DEFAULT);
  EXPECT_EQ(entries[0].id, n1.Command());
  EXPECT_EQ(entries[1].text, L"Minimize");
  EXPECT_FALSE(entries[1].state & (MFS_DEFAULT | MFS_GRAYED));
  EXPECT_TRUE(entries[2].type & MFT_SEPARATOR);
  EXPECT_EQ(entries[3].text, L"Close");

  // Captions and states changed at run time show the next time the menu opens.
  n1.Caption = "Show";
  n2.Enabled = false;
  n2.Checked = true;
  entries = Entries(menu.Handle());
  EXPECT_EQ(entries[0].text, L"Show");
  EXPECT_TRUE(entries[1].state & MFS_GRAYED);
  EXPECT_TRUE(entries[1].state & MFS_CHECKED);
  EXPECT_EQ(menu.PopupFlagsInUse(), UINT(TPM_LEFTALIGN | TPM_RIGHTBUTTON));
}

TEST(TrayPopupMenu, SharedWindowLivesWithTheMenus) {
  EXPECT_EQ(TTrayPopupMenu::SharedWindow(), nullptr);
  HWND shared;
  {
    const int windowsBefore = TWindow::LiveWindows();
    TTrayPopupMenu first;
    EXPECT_EQ(TWindow::LiveWindows(), windowsBefore) << "no window until a menu needs one";
    shared = TTrayPopupMenu::SharedWindow();
    ASSERT_TRUE(IsWindow(shared));
    EXPECT_FALSE(IsWindowVisible(shared));
    {
      TTrayPopupMenu second;
      EXPECT_EQ(TTrayPopupMenu::SharedWindow(), shared);
    }
    EXPECT_TRUE(IsWindow(shared)) << "destroyed with the last menu only";
  }
  EXPECT_FALSE(IsWindow(shared));
  EXPECT_EQ(TTrayPopupMenu::SharedWindow(), nullptr);
}

TEST(TrayPopupMenu, CommandsReachTheirMenuAndErrorsTheHandler) {
  std::vector<std::string> log, errors;
  const ErrorReporter previous = SetErrorReporter([&](const std::string& m) { errors.push_back(m); });
  {
    TTrayPopupMenu first, second;
    TMenuItem& a = first.Add("N1", "A", [&] { log.push_back("first N1"); });
    a.Hint = "hint of A";
    TMenuItem& b = second.Add("N1", "B", [&] { log.push_back("second N1"); });
    TMenuItem& c = second.Add("N2", "C", [] { throw std::runtime_error("menu handler failed"); });
    HWND shared = TTrayPopupMenu::SharedWindow();
    SendMessageW(shared, WM_COMMAND, b.Command(), 0);
    SendMessageW(shared, WM_COMMAND, a.Command(), 0);
    SendMessageW(shared, WM_COMMAND, c.Command(), 0);
    SendMessageW(shared, WM_COMMAND, 0xFFFF, 0);  // nobody's command: nothing happens
    SendMessageW(shared, WM_COMMAND, a.Command(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"second N1", "first N1", "first N1"}));
    EXPECT_EQ(errors, std::vector<std::string>{"menu handler failed"});

    SendMessageW(shared, WM_MENUSELECT, MAKEWPARAM(a.Command(), MF_HILITE), LPARAM(first.Handle()));
    EXPECT_EQ(TTrayPopupMenu::CurrentHint(), "hint of A");
    SendMessageW(shared, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(TTrayPopupMenu::CurrentHint(), "");
  }
  SetErrorReporter(previous);
}

TEST(TrayPopupMenu, ClosingCommandMayDestroyTheMenu) {
  auto* menu = new TTrayPopupMenu;
  bool ran = false;
  TMenuItem& close = menu->Add("N4", "Close", [&] { delete menu; ran = true; });
  HWND shared = TTrayPopupMenu::SharedWindow();
  SendMessageW(shared, WM_COMMAND, close.Command(), 0);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(IsWindow(shared));
}

// Ends the menu tracking loop shortly after it starts.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

TEST(TrayPopupMenu, RightClickOnTheIconOpensTheMenuAndThenPostsAnEmptyMessage) {
  testing::RecordingShell shell;
  TTrayIcon tray(shell);
  HICON icon = testing::SolidIcon(RGB(200, 0, 0));
  tray.SetIcon(icon);
  DestroyIcon(icon);
  TTrayPopupMenu menu;
  menu.Add("N1", "Show").Default = true;
  int popups = 0, clicks = 0;
  menu.OnPopup = [&] {
    ++popups;
    SetTimer(nullptr, 0, 300, EndMenuSoon);
  };
  tray.OnClick = [&](TTrayIcon&, MouseButton, ShiftState, int, int) { ++clicks; };
  tray.SetPopupMenu(&menu);
  tray.Loaded();
  testing::PumpPending();

  SetCursorPos(300, 200);
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 0) << "the menu took the click";
  EXPECT_EQ(menu.PopupComponent, &tray);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(menu.PopupPoint.x, cursor.x);
  EXPECT_EQ(menu.PopupPoint.y, cursor.y);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, TTrayPopupMenu::SharedWindow(), WM_NULL, WM_NULL, PM_REMOVE))
      << "an empty message follows the menu";

  menu.AutoPopup = false;
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
  SendMessageW(tray.Handle(), WM_TRAYNOTIFY, 0, WM_RBUTTONUP);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 1) << "without automatic popup the right click is a click";
}

}  // namespace
}  // namespace ormind
