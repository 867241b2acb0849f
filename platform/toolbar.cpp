#include "platform/toolbar.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace ormind {

void TToolBar::Create(TWindow& parent, int id, HBITMAP glyphs, int glyphSize, COLORREF maskColor) {
  CreateControl(parent, TOOLBARCLASSNAMEW,
                WS_VISIBLE | CCS_TOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER, 0, {}, id);
  SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetGlyphs(glyphs, glyphSize, maskColor);
}

void TToolBar::SetGlyphs(HBITMAP glyphs, int glyphSize, COLORREF maskColor) {
  BITMAP info{};
  GetObjectW(glyphs, sizeof(info), &info);
  const int count = glyphSize > 0 ? info.bmWidth / glyphSize : 0;
  ImageListHandle images(ImageList_Create(glyphSize, glyphSize, ILC_COLOR24 | ILC_MASK, count, 0));
  if (!images || ImageList_AddMasked(images.Get(), glyphs, maskColor) < 0)
    throw std::runtime_error("Cannot load the toolbar's pictures");
  const bool replacing = images_.Valid();
  SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  images_ = std::move(images);  // the old list goes only once the toolbar no longer uses it
  if (!replacing) return;
  // The buttons were sized for the old glyphs: the glyph and the toolbar's padding around it.
  const auto padding = static_cast<DWORD>(SendMessageW(Handle(), TB_GETPADDING, 0, 0));
  SendMessageW(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(glyphSize, glyphSize));
  SendMessageW(Handle(), TB_SETBUTTONSIZE, 0,
               MAKELPARAM(glyphSize + LOWORD(padding), glyphSize + HIWORD(padding)));
  AutoSize();
}

void TToolBar::AddButton(const ToolButton& button) {
  buttons_.push_back(button);
  TBBUTTON record{};
  record.iBitmap = button.image;
  record.idCommand = button.id;
  record.fsState = BYTE((button.enabled ? TBSTATE_ENABLED : 0) | (button.checked ? TBSTATE_CHECKED : 0));
  record.fsStyle = BYTE(button.checkGroup ? (BTNS_BUTTON | BTNS_CHECKGROUP) : BTNS_BUTTON);
  SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&record));
}

void TToolBar::AddSeparator() {
  TBBUTTON record{};
  record.fsStyle = BTNS_SEP;
  SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&record));
}

void TToolBar::SetChecked(int buttonId, bool checked) {
  SendMessageW(Handle(), TB_CHECKBUTTON, WPARAM(buttonId), MAKELPARAM(checked, 0));
}

bool TToolBar::Checked(int buttonId) const {
  return SendMessageW(Handle(), TB_ISBUTTONCHECKED, WPARAM(buttonId), 0) != 0;
}

void TToolBar::SetButtonEnabled(int buttonId, bool enabled) {
  SendMessageW(Handle(), TB_ENABLEBUTTON, WPARAM(buttonId), MAKELPARAM(enabled, 0));
}

bool TToolBar::ButtonEnabled(int buttonId) const {
  return SendMessageW(Handle(), TB_ISBUTTONENABLED, WPARAM(buttonId), 0) != 0;
}

void TToolBar::AutoSize() { SendMessageW(Handle(), TB_AUTOSIZE, 0, 0); }

int TToolBar::Height() const {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return bounds.bottom - bounds.top;
}

void TToolBar::Command(WORD, WORD id) {
  if (OnClick) OnClick(id);
}

const ToolButton* TToolBar::Find(int buttonId) const {
  const auto found = std::find_if(buttons_.begin(), buttons_.end(),
                                  [buttonId](const ToolButton& b) { return b.id == buttonId; });
  return found == buttons_.end() ? nullptr : &*found;
}

LRESULT TToolBar::Notify(NMHDR& header) {
  if (header.code != TTN_GETDISPINFOW) return 0;
  auto& request = reinterpret_cast<NMTTDISPINFOW&>(header);
  const ToolButton* button = Find(int(header.idFrom));
  hintBuffer_ = button ? Utf8ToWide(button->hint) : L"";
  request.lpszText = hintBuffer_.data();
  request.hinst = nullptr;
  return 0;
}

bool TToolBar::OwnsHelperWindow(HWND window) const {
  return Handle() && window == reinterpret_cast<HWND>(SendMessageW(Handle(), TB_GETTOOLTIPS, 0, 0));
}

}  // namespace ormind
