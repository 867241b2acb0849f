// The application's hidden window and the program's one taskbar button: the button stays while
// any window the program owns is shown, whichever of them goes first.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ormind
