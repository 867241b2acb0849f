#include "platform/status_bar.h"

#include <commctrl.h>

#include "platform/text_encoding.h"

namespace ormind {

void TStatusBar::Create(TWindow& parent, int id, const std::vector<int>& panelWidths) {
  CreateControl(parent, STATUSCLASSNAMEW, WS_VISIBLE | SBARS_SIZEGRIP, 0, {}, id);
  widths_ = panelWidths;
  AutoSize();
}

void TStatusBar::AutoSize() {
  SendMessageW(Handle(), WM_SIZE, 0, 0);
  // The control takes right edges; the last panel reaches the bar's end (-1).
  std::vector<int> edges;
  int right = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    right += widths_[i];
    edges.push_back(i + 1 == widths_.size() ? -1 : right);
  }
  SendMessageW(Handle(), SB_SETPARTS, WPARAM(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::SetPanelWidths(const std::vector<int>& panelWidths) {
  widths_ = panelWidths;
  AutoSize();
}

void TStatusBar::SetPanelText(int panel, std::string_view utf8) {
  const std::wstring text = Utf8ToWide(utf8);
  SendMessageW(Handle(), SB_SETTEXTW, WPARAM(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusBar::PanelText(int panel) const {
  const auto length = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, WPARAM(panel), 0));
  std::wstring text(size_t(length) + 1, L'\0');
  SendMessageW(Handle(), SB_GETTEXTW, WPARAM(panel), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return WideToUtf8(text);
}

int TStatusBar::Height() const {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return bounds.bottom - bounds.top;
}

}  // namespace ormind
