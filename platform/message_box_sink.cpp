#include "platform/message_box_sink.h"

#include "platform/text_encoding.h"

namespace ormind {

void ShowMessageBox(HWND owner, const std::string& utf8Text) {
  MessageBoxW(owner, Utf8ToWide(utf8Text).c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

void MessageBoxSink::ShowMessage(const std::string& utf8Text) {
  ShowMessageBox(owner_ ? owner_() : nullptr, utf8Text);
}

}  // namespace ormind
