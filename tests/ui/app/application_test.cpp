// The application's hidden window and the program's one taskbar button: the button stays while
// any window the program owns is shown, whichever of them goes first.
#include <gtest/gtest.h>

#include "platform/message_loop.h"
#include "ui/app/application.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {

class PlainForm final : public TSkinnedForm {
 public:
  explicit PlainForm(TSkinHost host) : TSkinnedForm(std::move(host)) {
    CreateForm(L"OrmindTestPlainForm", L"test", {100, 100, 120, 80});
  }
  ~PlainForm() override { DestroyHandle(); }
};

TEST(Application, TheTaskbarButtonStaysWhileAnyWindowIsShown) {
  TApplication application;
  application.Initialize(GetModuleHandleW(nullptr), L"Ormind!");
  const HWND button = application.Handle();
  PlainForm main(application.SkinHost()), editor(application.SkinHost());
  EXPECT_EQ(GetWindow(main.Handle(), GW_OWNER), button);
  main.Show();
  editor.Show();
  EXPECT_TRUE(IsWindowVisible(button));
  editor.Hide();
  EXPECT_TRUE(IsWindowVisible(button)) << "hiding the editor keeps the main window's button";
  main.Hide();
  EXPECT_FALSE(IsWindowVisible(button));
}

// True when `upper` lies above `lower` in the stack of top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

struct DuringModal {
  HWND owner, main, editor;
  HWND active = nullptr;
  bool editorAbove = false;
} g_duringModal;

// Runs inside the modal loop: what a click on the taskbar button does (the hidden owner is
// activated), then a look, then the editor closes.
void CALLBACK ActivateOwnerWhileModal(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  DuringModal& d = g_duringModal;
  SetActiveWindow(d.owner);
  d.active = GetActiveWindow();
  d.editorAbove = Above(d.editor, d.main);
  ShowWindow(d.editor, SW_HIDE);
}

// While the editor runs modally (the main window disabled under it) the taskbar button must
// bring the editor forward, not the disabled main window over it; with nothing modal it is
// the main window that comes.
TEST(Application, TheTaskbarButtonActivatesTheWindowThatTakesInput) {
  TApplication application;
  application.Initialize(GetModuleHandleW(nullptr), L"Ormind!");
  PlainForm main(application.SkinHost()), editor(application.SkinHost());
  application.SetMainForm(&main);
  main.Show();
  editor.Show();
  DuringModal& during = g_duringModal;
  during = {application.Handle(), main.Handle(), editor.Handle()};
  SetTimer(nullptr, 0, 10, ActivateOwnerWhileModal);
  RunModal(editor.Handle(), main.Handle());
  EXPECT_EQ(during.active, editor.Handle()) << "the modal editor takes the activation";
  EXPECT_TRUE(during.editorAbove) << "the disabled main window stays under the editor";

  SetActiveWindow(application.Handle());
  EXPECT_EQ(GetActiveWindow(), main.Handle()) << "with nothing modal the main window comes";
  application.SetMainForm(nullptr);
}

}  // namespace
}  // namespace ormind
