#pragma once
// TToolBar: a common-controls toolbar of glyph buttons from one picture strip (an image list
// with masks), with hints, disabled buttons and groups of check buttons of which one is down.
#include <functional>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/handles.h"

namespace ormind {

struct ToolButton {
  int id = 0;
  int image = 0;            // index of the glyph in the strip
  std::string hint;         // shown when the mouse rests on the button
  bool checkGroup = false;  // one of a group of check buttons (adjacent buttons form a group)
  bool checked = false;
  bool enabled = true;
};

class TToolBar final : public TControl {
 public:
  TToolBar() = default;
  ~TToolBar() override = default;

  // A toolbar along the top of `parent`. `glyphs` is a strip of `glyphSize` square glyphs;
  // pixels of `maskColor` are see-through. The toolbar keeps its own copy of the pictures.
  void Create(TWindow& parent, int id, HBITMAP glyphs, int glyphSize, COLORREF maskColor);
  // Replaces the glyphs (a strip of the same glyphs at another size, for another display
  // scale): the buttons keep their places in the strip and grow or shrink with the glyphs.
  void SetGlyphs(HBITMAP glyphs, int glyphSize, COLORREF maskColor);
  void AddButton(const ToolButton& button);
  void AddSeparator();
  void SetChecked(int buttonId, bool checked);
  bool Checked(int buttonId) const;
  void SetButtonEnabled(int buttonId, bool enabled);
  bool ButtonEnabled(int buttonId) const;
  // Lays the toolbar out again after its parent changed size.
  void AutoSize();
  int Height() const;

  std::function<void(int buttonId)> OnClick;

 private:
  void Command(WORD code, WORD id) override;
  LRESULT Notify(NMHDR& header) override;
  bool OwnsHelperWindow(HWND window) const override;
  const ToolButton* Find(int buttonId) const;

  ImageListHandle images_;
  std::vector<ToolButton> buttons_;
  std::wstring hintBuffer_;  // the text handed to the tooltip must outlive the notification
};

}  // namespace ormind
