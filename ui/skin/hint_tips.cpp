#include "ui/skin/hint_tips.h"

#include <commctrl.h>

#include "platform/text_encoding.h"

namespace ormind {

HintTips::~HintTips() { Destroy(); }

void HintTips::Destroy() {
  if (tips_) DestroyWindow(tips_);
  tips_ = nullptr;
}

void HintTips::Create(HWND owner) {
  owner_ = owner;
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
}

TOOLINFOW HintTips::Tool(UINT_PTR id) const {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner_;
  tool.uId = id;
  return tool;
}

void HintTips::Set(UINT_PTR id, const Bounds& bounds, const std::string& utf8Text) {
  if (!tips_) return;
  TOOLINFOW tool = Tool(id);
  const bool exists = SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool = Tool(id);
  if (utf8Text.empty()) {
    if (exists) SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  std::wstring text = Utf8ToWide(utf8Text);
  tool.lpszText = text.data();
  if (exists) {
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    Move(id, bounds);
    return;
  }
  tool.uFlags = TTF_SUBCLASS;
  tool.rect = {bounds.left, bounds.top, bounds.Right(), bounds.Bottom()};
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void HintTips::Move(UINT_PTR id, const Bounds& bounds) {
  if (!tips_) return;
  TOOLINFOW tool = Tool(id);
  tool.rect = {bounds.left, bounds.top, bounds.Right(), bounds.Bottom()};
  SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ormind
