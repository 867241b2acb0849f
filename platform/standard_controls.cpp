#include "platform/standard_controls.h"

#include <commctrl.h>

#include "platform/text_encoding.h"
#include "platform/window.h"

namespace ormind {

void TEdit::Create(TWindow& parent, const ControlBounds& bounds, int id, const EditOptions& o) {
  DWORD style = WS_VISIBLE | ES_AUTOHSCROLL;
  if (o.multiLine) {
    style = WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (o.scrollBar) style |= WS_VSCROLL;
  }
  if (o.tabStop) style |= WS_TABSTOP;
  if (o.readOnly) style |= ES_READONLY;
  CreateControl(parent, L"EDIT", style, o.flat ? 0 : WS_EX_CLIENTEDGE, bounds, id);
  if (o.maxLength > 0) SendMessageW(Handle(), EM_SETLIMITTEXT, WPARAM(o.maxLength), 0);
}

void TEdit::SetColors(COLORREF text, COLORREF background) {
  text_ = Parent() ? Parent()->ColorForControls(text) : text;
  background_ = Parent() ? Parent()->ColorForControls(background) : background;
  brush_.Reset(CreateSolidBrush(background_));
  customColors_ = true;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TEdit::SelectAll() {
  if (Handle()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::Command(WORD code, WORD) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

HBRUSH TEdit::Colors(HDC dc) {
  if (!customColors_) return nullptr;
  SetTextColor(dc, text_);
  SetBkColor(dc, background_);
  return brush_.Get();
}

void TPushButton::Create(TWindow& parent, std::string_view caption, const ControlBounds& bounds,
                         int id, bool isDefault) {
  CreateControl(parent, L"BUTTON",
                WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, bounds,
                id, Utf8ToWide(caption).c_str());
}

void TPushButton::Command(WORD code, WORD) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

void TStaticText::Create(TWindow& parent, std::string_view caption, const ControlBounds& bounds) {
  CreateControl(parent, L"STATIC", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, bounds, -1,
                Utf8ToWide(caption).c_str());
}

void TProgressBar::Create(TWindow& parent, const ControlBounds& bounds, int maximum) {
  CreateControl(parent, PROGRESS_CLASSW, WS_VISIBLE, 0, bounds, -1);
  SendMessageW(Handle(), PBM_SETRANGE32, 0, maximum);
}

void TProgressBar::SetPosition(int position) {
  if (Handle()) SendMessageW(Handle(), PBM_SETPOS, WPARAM(position), 0);
}

}  // namespace ormind
