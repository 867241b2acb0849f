#pragma once
// The standard child controls: edits, push buttons, static text and a progress bar. Each owns
// its window; the hosting TWindow routes notifications to the named handlers below.
#include <functional>

#include "platform/control.h"
#include "platform/handles.h"

namespace ormind {

struct EditOptions {
  bool multiLine = false;  // several lines, Enter starts a new line
  bool scrollBar = true;   // a multi-line edit's vertical scroll bar
  bool tabStop = true;     // reached with Tab and Shift+Tab
  bool flat = false;       // no sunken border
  bool readOnly = false;
  int maxLength = 0;       // 0: no limit
};

class TEdit final : public TControl {
 public:
  TEdit() = default;
  ~TEdit() override = default;
  void Create(TWindow& parent, const ControlBounds& bounds, int id, const EditOptions& options = {});
  // Text and background colours; the control owns the background brush. The hosting window
  // may adjust colours it must never show (a skinned window's see-through colour).
  void SetColors(COLORREF text, COLORREF background);
  void SelectAll();

  std::function<void()> OnChange;

 private:
  void Command(WORD code, WORD id) override;
  HBRUSH Colors(HDC dc) override;

  bool customColors_ = false;
  COLORREF text_ = 0, background_ = 0;
  BrushHandle brush_;
};

class TPushButton final : public TControl {
 public:
  TPushButton() = default;
  ~TPushButton() override = default;
  // `isDefault`: Enter in the window presses it.
  void Create(TWindow& parent, std::string_view caption, const ControlBounds& bounds, int id,
              bool isDefault = false);
  std::function<void()> OnClick;

 private:
  void Command(WORD code, WORD id) override;
};

class TStaticText final : public TControl {
 public:
  TStaticText() = default;
  ~TStaticText() override = default;
  void Create(TWindow& parent, std::string_view caption, const ControlBounds& bounds);
};

class TProgressBar final : public TControl {
 public:
  TProgressBar() = default;
  ~TProgressBar() override = default;
  void Create(TWindow& parent, const ControlBounds& bounds, int maximum);
  void SetPosition(int position);
};

}  // namespace ormind
