#pragma once
// The core's messages shown as message boxes titled "Ormind!", owned by a window of the
// program so that they stay in front of it.
#include <windows.h>

#include <functional>

#include "core/environment.h"

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

// A message box titled "Ormind!" with an OK button.
void ShowMessageBox(HWND owner, const std::string& utf8Text);

}  // namespace ormind
