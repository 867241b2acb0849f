#pragma once
// TForm1, the main window: a 600 x 383 skinned panel placed flush right at the top of the
// work area, showing the day view for the day the user has stepped to, with seven picture
// buttons (previous day, next day, edit the event list, print a greeting, change settings,
// hide to the tray, close).
#include <functional>

#include "base/day.h"
#include "core/day_view.h"
#include "core/interface_texts.h"
#include "core/settings.h"
#include "base/environment.h"
#include "platform/message_box_sink.h"
#include "ui/skin/picture_buttons.h"
#include "ui/skin/scroll_box.h"
#include "ui/skin/skinned_form.h"
#include "ui/skin/text_label.h"
#include "ui/tray/tray_icon.h"

namespace ormind {

// The system's services the main window reads the settings, the date and the event list through.
struct TMainFormServices {
  const Environment& environment;
  const Clock& clock;
  FileSystem& files;
};

class TForm1 final : public TSkinnedForm, private DayViewTarget {
 public:
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 383;

  TForm1(TSkinHost host, TMainFormServices services);
  // The window goes first, while the scroll box and the labels it shows are still here.
  ~TForm1() override { DestroyHandle(); }
  // Creates the window (hidden) and runs FormCreate.
  void Create();

  Day CurrentDay() const { return currentDay_; }
  const Settings& CurrentSettings() const { return settings_; }
  const InterfaceTexts& Texts() const { return texts_; }

  // Button handlers.
  void btn1Click();  // previous date
  void btn2Click();  // next date
  void btn3Click();  // edit the event list
  void btn4Click();  // print a greeting
  void btn5Click();  // change settings
  void btn6Click();  // hide to the tray
  void btn7Click();  // close
  // Tray menu handlers.
  void N1Click() { Show(); }
  // A click on the tray icon's notification: the window shows today, whatever day it showed.
  void ShowToday();
  void N2Click() { Hide(); }
  void N4Click() { Close(); }

  // Closing the main window ends the program.
  void Close() override;

  // The tray icon and its menu: N1 show, N2 hide, N3 a separator, N4 close.
  TTrayPopupMenu TrayPopupMenu1;
  TTrayIcon TrayIcon1;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N3 = nullptr;
  TMenuItem* N4 = nullptr;

  // Puts the icon into the notification area. Called once the window has painted: the shell
  // may take a moment to make room for a new icon, and the user should see the window first.
  void ShowTrayIcon();

  // Called with the texts each time they are applied.
  std::function<void(const InterfaceTexts&)> onLanguageApplied;
  // Called first when the window closes for good, before the (possibly slow) tear-down.
  std::function<void()> onClosing;
  // Opens the greeting editor modally, once the program has one.
  std::function<void()> onPrintGreeting;

 private:
  void FormCreate();
  void PlaceTrayIcon();
  void FormShow() override;
  void LayOut() override;
  void SetLanguage(int32_t lang);
  void ShowDay(Day day);
  void OpenIfExists(const std::string& path, const std::string& missingMessage);

  void MouseDown(TImage& control, MouseButton button, int x, int y) override;
  void MouseUp(TImage& control, MouseButton button, int x, int y) override;
  void MouseMove(TImage& control, int x, int y) override;
  void Click(TImage& control) override;
  void MouseWheel(int delta) override;
  void btnMouseMove(const TImage& control);
  void Image1MouseDown(MouseButton button);

  // DayViewTarget: the day view writes into the labels.
  void SetHeading(const std::string& utf8) override;
  void SetBlock(const std::string& utf8) override;
  void ResetButtons() override;

  TMainFormServices services_;
  MessageBoxSink messages_;
  Settings settings_;
  InterfaceTexts texts_;
  Day currentDay_ = 0;

  TImage Image1;
  TPictureButtons buttons_;
  TScrollBox ScrollBox1;
  TLabel Label2;
  TLabel Label3;
};

}  // namespace ormind
