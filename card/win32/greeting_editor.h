#pragma once
// TForm2, the greeting editor: a 446 x 336 skinned window where the user writes a salutation,
// the greeting text and a signature, and prints them as a card. Created hidden with the
// program, shown modally from the main window, only hidden when closed, so the texts stay.
#include <functional>
#include <memory>
#include <string>

#include "card/greeting_fill.h"
#include "core/interface_texts.h"
#include "platform/handles.h"
#include "platform/standard_controls.h"
#include "ui/skin/picture_buttons.h"
#include "ui/skin/skinned_form.h"
#include "ui/skin/text_label.h"

namespace ormind {

// How the editor reaches the card and the settings.
struct TCardLink {
  TReport1* Card = nullptr;
  std::string PrintPicture;  // the setting, UTF-8
  TBuiltInPicture BuiltIn;
  std::function<bool(const std::string&)> FileExists;
  // True while the card's preview is open: the print button then does nothing.
  std::function<bool()> PreviewOpen;
};

class TForm2 final : public TSkinnedForm {
 public:
  static constexpr int kWidth = 446;
  static constexpr int kHeight = 336;

  TForm2(TSkinHost host, TCardLink card);
  ~TForm2() override { DestroyHandle(); }
  // Creates the window, hidden.
  void Create();
  // Shows the window centred and returns when it has been closed (hidden). `owner` is
  // disabled meanwhile.
  void ShowModal(HWND owner);
  // The captions and hints in the interface language.
  void ApplyTexts(const InterfaceTexts& texts);

  void btn1Click();  // print
  void btn2Click() { Close(); }

  TEdit Edit1;  // salutation
  TEdit Memo1;  // greeting text
  TEdit Edit2;  // signature

 private:
  void FormShow() override;
  void LayOut() override;
  // Where the window is centred on the screen at its present size.
  POINT CentredPlace() const;
  void PaintOverControls(HDC dc) override;
  void MouseDown(TImage& control, MouseButton button, int x, int y) override;
  void MouseUp(TImage& control, MouseButton button, int x, int y) override;
  void MouseMove(TImage& control, int x, int y) override;
  void Click(TImage& control) override;
  void btnMouseMove(const TImage& control);
  void CreateFields();
  void PlaceFields();

  TCardLink card_;
  FontHandle fieldFont_;
  TImage Image1;
  TPictureButtons buttons_;  // btn1 print, btn2 close
  TLabel Label1;
  TLabel Label2;
  TLabel Label3;
};

}  // namespace ormind
