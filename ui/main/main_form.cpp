#include "ui/main/main_form.h"

#include <string>

#include "core/first_start.h"
#include "pictures/win32/graphic_registry.h"
#include "platform/display_dpi.h"
#include "platform/shell_open.h"

namespace ormind {
namespace {

constexpr Bounds kScrollBoxBounds{24, 80, 361, 169};
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr LabelFont kHeadingFont{L"Times New Roman", 16, true, true, kNavy};
constexpr LabelFont kBlockFont{L"Arial", 12, true, false, kMaroon};
// Stretched only between two renderings: each is made at its scale's exact size.
constexpr PictureFit kFaceFit{true, false, false};

// The hints the layout starts with, before the interface texts are applied.
const char* const kInitialHints[] = {
    "Предыдущая дата", "Следующая дата", "Редактировать дни рождения", "Напечатать поздравление",
    "Поменять настройки", "Свернуть в трей", "Закрыть"};
constexpr TextId kHintTexts[] = {TextId::PrevDate,       TextId::NextDate,       TextId::EditEvents,
                                 TextId::PrintGreeting,  TextId::ChangeSettings, TextId::MinimizeToIcon,
                                 TextId::Close};

// The primary monitor, where the program's windows start.
HMONITOR StartMonitor() { return MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY); }

// The screen less the taskbar, on that monitor.
RECT StartWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(StartMonitor(), &info)) return info.rcWork;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

TForm1::TForm1(TSkinHost host, TMainFormServices services)
    : TSkinnedForm(std::move(host)),
      services_(services),
      messages_([this] { return Visible() ? Handle() : Host().owner; }),
      texts_(kRussianLocale),
      Image1(*this, "Image1", {0, 0, kWidth, kHeight}, kFaceFit, false),
      buttons_(*this, kMainButtonRow),
      Label2(8, 1, kHeadingFont, "Сегодня, "),
      Label3(8, 21, kBlockFont, "Дней рождения нет") {
  N1 = &TrayPopupMenu1.Add("N1", "Показать", [this] { N1Click(); });
  N1->Default = true;
  N2 = &TrayPopupMenu1.Add("N2", "Свернуть", [this] { N2Click(); });
  N3 = &TrayPopupMenu1.Add("N3", "-");
  N4 = &TrayPopupMenu1.Add("N4", "Закрыть", [this] { N4Click(); });
}

void TForm1::Create() {
  // Against the right edge of the work area, 50 pixels (at 96 DPI) below its top: clear of a
  // taskbar docked at the right or at the top.
  const RECT work = StartWorkArea();
  const DisplayScale start(static_cast<int>(MonitorDpi(StartMonitor())));
  const int width = start.Length(kWidth);
  CreateForm(L"TForm1", Host().title,
             {work.right - width, work.top + start.Length(50), width, start.Length(kHeight)});
  AddControl(Image1);
  void (TForm1::*const clicks[])() = {&TForm1::btn1Click, &TForm1::btn2Click, &TForm1::btn3Click,
                                      &TForm1::btn4Click, &TForm1::btn5Click, &TForm1::btn6Click,
                                      &TForm1::btn7Click};
  for (int n = 1; n <= 7; ++n) {
    buttons_.Add((L"TFORM1_BTN" + std::to_wstring(n)).c_str(), kInitialHints[n - 1],
                 [this, click = clicks[n - 1]] { (this->*click)(); });
  }
  ScrollBox1.Create(*this, kScrollBoxBounds);
  ScrollBox1.AddLabel(Label2);
  ScrollBox1.AddLabel(Label3);
  ScrollBox1.onMouseDown = [this](MouseButton button) { Image1MouseDown(button); };
  ScrollBox1.onMouseMove = [this] { btnMouseMove(Image1); };
  LayOut();
  PlaceTrayIcon();
  FormCreate();
}

void TForm1::LayOut() {
  const DisplayScale& scale = Scale();
  LayOutFace(Image1, L"TFORM1_IMAGE1", kWidth, kHeight);
  buttons_.SetScale(scale);
  Label2.SetScale(scale);
  Label3.SetScale(scale);
  ScrollBox1.SetBounds(scale.Rect(kScrollBoxBounds));
}

// The tray icon as the layout stores it (the program icon, no hint, the menu). It reaches the
// notification area with its loaded notice, in ShowTrayIcon.
void TForm1::PlaceTrayIcon() {
  TrayIcon1.MainWindow = Handle();
  TrayIcon1.SetInterval(500);
  TrayIcon1.SetPopupMenu(&TrayPopupMenu1);
  TrayIcon1.OnShowRequest = [this](TTrayIcon&) { N1Click(); };
  TrayIcon1.OnBalloonClick = [this](TTrayIcon&) { ShowToday(); };
  TrayIcon1.Icon().LoadFromResource(Host().instance, L"MAINICON");
}

void TForm1::ShowTrayIcon() { TrayIcon1.Loaded(); }

void TForm1::FormCreate() {
  currentDay_ = services_.clock.Today();
  CopySampleAtFirstStart(services_.environment, services_.files);
  settings_ = LoadSettings(services_.environment, services_.files, messages_);
}

void TForm1::FormShow() {
  SetLanguage(settings_.Lang);
  ShowDay(currentDay_);
}

void TForm1::SetLanguage(int32_t lang) {
  texts_ = InterfaceTexts(lang);
  for (int n = 1; n <= 7; ++n) buttons_.SetHint(n, texts_[kHintTexts[n - 1]]);
  SetHeading(texts_[TextId::Today]);
  N1->Caption = texts_[TextId::Show];
  N2->Caption = texts_[TextId::Minimize];
  N4->Caption = texts_[TextId::Close];
  if (onLanguageApplied) onLanguageApplied(texts_);
}

void TForm1::ShowDay(Day day) {
  ::ormind::ShowDay(day, settings_, texts_, services_.clock, services_.files, messages_, *this);
}

void TForm1::ShowToday() {
  currentDay_ = services_.clock.Today();
  // A hidden window builds the day as it shows.
  if (Visible()) ShowDay(currentDay_);
  N1Click();
}

void TForm1::btn1Click() {
  currentDay_ -= 1;
  ShowDay(currentDay_);
}

void TForm1::btn2Click() {
  currentDay_ += 1;
  ShowDay(currentDay_);
}

void TForm1::btn3Click() {
  OpenIfExists(settings_.EventsPath, texts_.EventsFileMissing(settings_.EventsPath));
}

void TForm1::btn4Click() {
  SetLanguage(settings_.Lang);
  ShowDay(currentDay_);
  if (onPrintGreeting) onPrintGreeting();
}

void TForm1::btn5Click() { OpenIfExists(settings_.SettingsPath, texts_[TextId::ConfigError]); }

void TForm1::btn6Click() { Hide(); }

void TForm1::btn7Click() { Close(); }

void TForm1::Close() {
  if (onClosing) onClosing();
  Hide();
  PostQuitMessage(0);
}

void TForm1::OpenIfExists(const std::string& path, const std::string& missingMessage) {
  if (services_.files.IsRegularFile(path)) {
    if (!OpenInAssociatedProgram(path)) messages_.ShowMessage(texts_.CannotOpenFile(path));
  } else {
    messages_.ShowMessage(missingMessage);
  }
}

void TForm1::MouseDown(TImage& control, MouseButton button, int x, int y) {
  if (&control == &Image1) return Image1MouseDown(button);
  buttons_.Press(control);
}

void TForm1::MouseUp(TImage& control, MouseButton button, int x, int y) { buttons_.Release(control); }

void TForm1::MouseMove(TImage& control, int x, int y) { btnMouseMove(control); }

void TForm1::Click(TImage& control) { buttons_.Click(control); }

void TForm1::MouseWheel(int delta) {
  SendMessageW(ScrollBox1.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
}

void TForm1::btnMouseMove(const TImage& control) { buttons_.Hover(control); }

void TForm1::Image1MouseDown(MouseButton button) { StartDrag(button); }

void TForm1::SetHeading(const std::string& utf8) {
  Label2.SetCaption(utf8);
  ScrollBox1.Realign();
}

void TForm1::SetBlock(const std::string& utf8) {
  Label3.SetCaption(utf8);
  ScrollBox1.Realign();
}

void TForm1::ResetButtons() { btnMouseMove(Image1); }

}  // namespace ormind
