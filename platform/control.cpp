#include "platform/control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text_encoding.h"
#include "platform/window.h"

namespace ormind {

TControl::~TControl() {
  if (handle_) DestroyWindow(handle_);
  if (parent_) {
    auto& hosted = parent_->controls_;
    hosted.erase(std::remove(hosted.begin(), hosted.end(), this), hosted.end());
  }
}

void TControl::CreateControl(TWindow& parent, const wchar_t* className, DWORD style,
                             DWORD exStyle, const ControlBounds& bounds, int id,
                             const wchar_t* caption) {
  if (handle_) throw std::logic_error("The control already exists");
  if (!parent.Handle()) throw std::logic_error("The control's window does not exist yet");
  handle_ = CreateWindowExW(exStyle, className, caption, style | WS_CHILD, bounds.left, bounds.top,
                            bounds.width, bounds.height, parent.Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!handle_) throw std::runtime_error("Cannot create a control");
  id_ = id;
  if (parent_ != &parent) {
    parent_ = &parent;
    parent.controls_.push_back(this);
  }
}

void TControl::SetFont(HFONT font) {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TControl::SetBounds(const ControlBounds& b) {
  if (handle_) MoveWindow(handle_, b.left, b.top, b.width, b.height, TRUE);
}

void TControl::SetEnabled(bool enabled) {
  if (handle_) EnableWindow(handle_, enabled);
}

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetVisible(bool visible) {
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TControl::Focused() const { return handle_ && GetFocus() == handle_; }

std::string TControl::Text() const {
  if (!handle_) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), int(text.size()))));
  return WideToUtf8(text);
}

void TControl::SetText(std::string_view utf8) {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(utf8).c_str());
}

}  // namespace ormind
