#include "ui/skin/hint_tips.h"

#include <commctrl.h>

#include "platform/text_encoding.h"

namespace ormind {

HintTips::~HintTips() { Destroy(); }

void HintTips::Destroy() {
  if (tips_) DestroyWindow(tips_);
  tips_ = nullptr;
  owner_ = nullptr;  // the owner is going: no tooltip is made for it any more
  waiting_.clear();
}

void HintTips::Create(HWND owner) { owner_ = owner; }

void HintTips::MouseMoved(WPARAM wParam, LPARAM lParam) {
  if (tips_ || !owner_) return;
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!tips_) return;
  for (const auto& [id, hint] : waiting_) Add(id, hint);
  waiting_.clear();
  MSG move{owner_, WM_MOUSEMOVE, wParam, lParam, GetMessageTime(), {}};
  GetCursorPos(&move.pt);
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void HintTips::Add(UINT_PTR id, const Hint& hint) {
  std::wstring text = Utf8ToWide(hint.text);
  TOOLINFOW tool = Tool(id);
  tool.lpszText = text.data();
  tool.uFlags = TTF_SUBCLASS;
  tool.rect = {hint.bounds.left, hint.bounds.top, hint.bounds.Right(), hint.bounds.Bottom()};
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TOOLINFOW HintTips::Tool(UINT_PTR id) const {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner_;
  tool.uId = id;
  return tool;
}

void HintTips::Set(UINT_PTR id, const Bounds& bounds, const std::string& utf8Text) {
  if (!tips_) {
    if (utf8Text.empty())
      waiting_.erase(id);
    else if (owner_)
      waiting_[id] = {bounds, utf8Text};
    return;
  }
  TOOLINFOW tool = Tool(id);
  const bool exists = SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool = Tool(id);
  if (utf8Text.empty()) {
    if (exists) SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  if (!exists) return Add(id, {bounds, utf8Text});
  std::wstring text = Utf8ToWide(utf8Text);
  tool.lpszText = text.data();
  SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  Move(id, bounds);
}

void HintTips::Move(UINT_PTR id, const Bounds& bounds) {
  if (!tips_) {
    if (const auto waiting = waiting_.find(id); waiting != waiting_.end()) waiting->second.bounds = bounds;
    return;
  }
  TOOLINFOW tool = Tool(id);
  tool.rect = {bounds.left, bounds.top, bounds.Right(), bounds.Bottom()};
  SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ormind
