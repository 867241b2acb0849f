#include "platform/message_box_sink.h"

#include "platform/text_encoding.h"

namespace ormind {

MessageBoxPlacement PlaceMessageBox(HWND wantedOwner) {
  if (wantedOwner && IsWindowVisible(wantedOwner)) return {wantedOwner, 0};
  return {nullptr, MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST};
}

void ShowMessageBox(HWND owner, const std::string& utf8Text) {
  const MessageBoxPlacement placement = PlaceMessageBox(owner);
  MessageBoxW(placement.owner, Utf8ToWide(utf8Text).c_str(), kApplicationTitle,
              MB_OK | MB_ICONERROR | placement.extraStyle);
}

void MessageBoxSink::ShowMessage(const std::string& utf8Text) {
  ShowMessageBox(owner_ ? owner_() : nullptr, utf8Text);
}

}  // namespace ormind
