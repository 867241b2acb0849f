#pragma once
// The core's messages shown as message boxes titled "Ormind!", owned by a window of the
// program so that they stay in front of it.
#include <windows.h>

#include <functional>

#include "base/environment.h"

namespace ormind {

inline constexpr wchar_t kApplicationTitle[] = L"Ormind!";

class MessageBoxSink final : public MessageSink {
 public:
  // `owner` is asked for the owning window each time a message is shown.
  explicit MessageBoxSink(std::function<HWND()> owner) : owner_(std::move(owner)) {}
  void ShowMessage(const std::string& utf8Text) override;

 private:
  std::function<HWND()> owner_;
};

// Where a box goes. Over a visible window it is owned by it and stays in front of it. A box
// whose owner is hidden (at start, before the main window shows; the program in the tray)
// would get no taskbar button and, while another program holds the foreground (at logon),
// open behind everything: such a box has no owner, its own taskbar button, and comes to the
// front.
struct MessageBoxPlacement {
  HWND owner;
  UINT extraStyle;
};
MessageBoxPlacement PlaceMessageBox(HWND wantedOwner);

// A message box titled "Ormind!" with an OK button, placed as above.
void ShowMessageBox(HWND owner, const std::string& utf8Text);

}  // namespace ormind
