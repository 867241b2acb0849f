#include "platform/standard_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

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
  SetWindowSubclass(Handle(), EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Follows the edit's own caret: it makes one whenever it gains the focus or changes its font.
LRESULT CALLBACK TEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR self) {
  auto* edit = reinterpret_cast<TEdit*>(self);
  if (edit->avoidColor_ && message == WM_PAINT && wParam == 0) {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    edit->PaintAvoidingColor(screen);
    EndPaint(window, &paint);
    return 0;
  }
  if (edit->avoidColor_ && message == WM_PRINTCLIENT) {
    edit->PaintAvoidingColor(reinterpret_cast<HDC>(wParam));
    return 0;
  }
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

// The edit paints into a 32-bit picture of its client area (edits take a device context in
// WM_PAINT's wParam), the avoided colour is swapped for its neighbour, and the result is copied
// to `screen` in one step.
void TEdit::PaintAvoidingColor(HDC screen) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = std::max<int>(client.right, 1), height = std::max<int>(client.bottom, 1);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  uint32_t* bits = nullptr;
  BitmapHandle picture(CreateDIBSection(screen, &info, DIB_RGB_COLORS,
                                        reinterpret_cast<void**>(&bits), nullptr, 0));
  if (picture && bits) {
    MemoryDC memory(screen);
    SelectedObject selected(memory.Get(), picture.Get());
    FillRect(memory.Get(), &client, brush_.Get());
    DefSubclassProc(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(memory.Get()), 0);
    GdiFlush();
    // DIB pixels are 0x00RRGGBB, colour values 0x00BBGGRR.
    const auto pixel = [](COLORREF c) {
      return uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
    };
    const uint32_t avoided = pixel(avoided_), substitute = pixel(substitute_);
    for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
      if ((bits[i] & 0xFFFFFF) == avoided) bits[i] = substitute;
    }
    BitBlt(screen, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
}

void TEdit::SetColors(COLORREF text, COLORREF background) {
  text_ = Parent() ? Parent()->ColorForControls(text) : text;
  background_ = Parent() ? Parent()->ColorForControls(background) : background;
  brush_.Reset(CreateSolidBrush(background_));
  customColors_ = true;
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  avoided_ = kWhite;
  substitute_ = Parent() ? Parent()->ColorForControls(kWhite) : kWhite;
  avoidColor_ = substitute_ != avoided_;
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
