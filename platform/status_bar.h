#pragma once
// TStatusBar: a common-controls status bar along the bottom of its window, in panels.
#include <string_view>
#include <vector>

#include "platform/control.h"

namespace ormind {

class TStatusBar final : public TControl {
 public:
  TStatusBar() = default;
  ~TStatusBar() override = default;
  // `panelWidths`: the width of each panel; the last one takes what is left.
  void Create(TWindow& parent, int id, const std::vector<int>& panelWidths);
  // Panels of new widths (the last one still reaches the bar's end).
  void SetPanelWidths(const std::vector<int>& panelWidths);
  void SetPanelText(int panel, std::string_view utf8);
  std::string PanelText(int panel) const;
  // Lays the bar out again after its parent changed size.
  void AutoSize();
  int Height() const;

 private:
  std::vector<int> widths_;
};

}  // namespace ormind
