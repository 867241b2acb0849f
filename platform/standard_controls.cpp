#include "platform/standard_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/text_encoding.h"
#include "platform/window.h"

namespace ormind {

void TEdit::Create(TWindow& parent, const ControlBounds& bounds, int id, const EditOptions& o) {
  DWORD style = WS_VISIBLE | ES_AUTOHSCROLL;
  if (o.multiLine) style = WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (o.tabStop) style |= WS_TABSTOP;
  if (o.readOnly) style |= ES_READONLY;
  CreateControl(parent, L"EDIT", style, o.flat ? 0 : WS_EX_CLIENTEDGE, bounds, id);
  if (o.maxLength > 0) SendMessageW(Handle(), EM_SETLIMITTEXT, WPARAM(o.maxLength), 0);
  SetWindowSubclass(Handle(), EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Follows the edit's own caret: it makes one whenever it gains the focus or changes its font.
LRESULT CALLBACK TEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR self) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_SETFOCUS || (message == WM_SETFONT && GetFocus() == window))
    reinterpret_cast<TEdit*>(self)->ReplaceCaret();
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, EditProc, 0);
  return result;
}

void TEdit::ReplaceCaret() {
  if (!customColors_ || text_ == background_) return;
  TEXTMETRICW metrics{};
  BitmapHandle picture;
  {
    WindowDC dc(Handle());
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    GetTextMetricsW(dc.Get(), &metrics);
    // Combined with the screen by exclusive or: text colour over the background and back.
    const int height = std::max<int>(metrics.tmHeight, 1);
    picture.Reset(CreateCompatibleBitmap(dc.Get(), 1, height));
    MemoryDC paint(dc.Get());
    SelectedObject painted(paint.Get(), picture.Get());
    const RECT whole{0, 0, 1, height};
    BrushHandle colour(CreateSolidBrush(text_ ^ background_));
    FillRect(paint.Get(), &whole, colour.Get());
  }
  POINT position{};
  GetCaretPos(&position);
  CreateCaret(Handle(), picture.Get(), 0, 0);
  SetCaretPos(position.x, position.y);
  ShowCaret(Handle());
  caret_ = std::move(picture);  // the previous caret's picture goes only now that it is replaced
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
