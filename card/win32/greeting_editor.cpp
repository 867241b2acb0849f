#include "card/win32/greeting_editor.h"

#include <commctrl.h>

#include <utility>

#include "pictures/win32/graphic_registry.h"
#include "platform/message_loop.h"

namespace ormind {
namespace {

// Light blue (red 221, green 238, blue 255) under the typed text.
constexpr COLORREF kFieldColor = 16772829;
constexpr COLORREF kFieldText = RGB(0, 0, 0);
constexpr LabelFont kLabelFont{L"Arial", 11, false, false, RGB(0, 0, 0)};
// Stretched only between two renderings: each is made at its scale's exact size.
constexpr PictureFit kFaceFit{true, false, false};
constexpr int kFieldFontHeight = 11;
constexpr Bounds kEdit1Bounds{32, 40, 241, 20};
constexpr Bounds kMemo1Bounds{32, 88, 241, 177};
constexpr Bounds kEdit2Bounds{32, 288, 241, 20};

ControlBounds ToControlBounds(const Bounds& b) { return {b.left, b.top, b.width, b.height}; }
// Control ids stay clear of IDOK and IDCANCEL, which Enter and Esc send.
enum : int { kEdit1Id = 101, kMemo1Id = 102, kEdit2Id = 103 };

// Tab and Shift+Tab leave the greeting for the next field instead of typing a tab; Enter
// still makes a new line there.
LRESULT CALLBACK TabLeavesMemo(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = DefSubclassProc(window, message, wParam, lParam);
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_TAB) {
      code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return code;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, TabLeavesMemo, 0);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TForm2::TForm2(TSkinHost host, TCardLink card)
    : TSkinnedForm(std::move(host)),
      card_(std::move(card)),
      Image1(*this, "Image1", {0, 0, kWidth, kHeight}, kFaceFit, false),
      buttons_(*this, kEditorButtonRow),
      Label1(32, 24, kLabelFont, "Обращение"),
      Label2(32, 72, kLabelFont, "Поздравление"),
      Label3(32, 272, kLabelFont, "Подпись") {}

void TForm2::Create() {
  // Created at its 96-DPI size, then laid out at its DPI and centred at every showing.
  CreateForm(L"TForm2", Host().title, {0, 0, kWidth, kHeight});
  SetWantsDialogKeys(true);
  AddControl(Image1);
  buttons_.Add(L"TFORM2_BTN1", "Напечатать поздравление", [this] { btn1Click(); });
  // The close button is the main window's picture: the program stores it once.
  buttons_.Add(L"TFORM1_BTN7", "Закрыть", [this] { btn2Click(); });
  CreateFields();
  LayOut();
  const POINT place = CentredPlace();
  SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm2::LayOut() {
  const DisplayScale& scale = Scale();
  LayOutFace(Image1, L"TFORM2_IMAGE1", kWidth, kHeight);
  buttons_.SetScale(scale);
  for (TLabel* label : {&Label1, &Label2, &Label3}) label->SetScale(scale);
  PlaceFields();
}

POINT TForm2::CentredPlace() const {
  RECT window{};
  GetWindowRect(Handle(), &window);
  return {(GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2};
}

void TForm2::CreateFields() {
  // Created in tab order: salutation, greeting, signature; placed and given their font by
  // PlaceFields.
  Edit1.Create(*this, ToControlBounds(kEdit1Bounds), kEdit1Id, {.flat = true});
  Memo1.Create(*this, ToControlBounds(kMemo1Bounds), kMemo1Id,
               {.multiLine = true, .scrollBar = false, .flat = true});
  Edit2.Create(*this, ToControlBounds(kEdit2Bounds), kEdit2Id, {.flat = true});
  for (TEdit* field : {&Edit1, &Memo1, &Edit2}) field->SetColors(kFieldText, kFieldColor);
  SetWindowSubclass(Memo1.Handle(), TabLeavesMemo, 0, 0);
}

void TForm2::PlaceFields() {
  const DisplayScale& scale = Scale();
  // The new font is handed to the fields before the old one goes.
  FontHandle previous = std::move(fieldFont_);
  fieldFont_.Reset(CreateFontW(-scale.Length(kFieldFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial"));
  const std::pair<TEdit*, Bounds> fields[] = {
      {&Edit1, kEdit1Bounds}, {&Memo1, kMemo1Bounds}, {&Edit2, kEdit2Bounds}};
  for (const auto& [field, layout] : fields) {
    field->SetFont(fieldFont_.Get());
    field->SetBounds(ToControlBounds(scale.Rect(layout)));
  }
}

void TForm2::ApplyTexts(const InterfaceTexts& texts) {
  Label1.SetCaption(texts[TextId::Salutation]);
  Label2.SetCaption(texts[TextId::GreetingText]);
  Label3.SetCaption(texts[TextId::Signature]);
  buttons_.SetHint(1, texts[TextId::PrintGreeting]);
  buttons_.SetHint(2, texts[TextId::Close]);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm2::ShowModal(HWND owner) {
  Show();
  Edit1.SetFocus();
  RunModal(Handle(), owner);
}

void TForm2::FormShow() {
  // Centred at every showing: the screen may have changed since.
  const POINT place = CentredPlace();
  SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  btnMouseMove(Image1);
}

void TForm2::PaintOverControls(HDC dc) {
  for (const TLabel* label : {&Label1, &Label2, &Label3}) label->Paint(dc, 0, 0);
}

void TForm2::btn1Click() {
  // One preview of the card at a time: a second would leave the first without its printer.
  if (card_.PreviewOpen && card_.PreviewOpen()) return;
  FillCard(*card_.Card, {Edit1.Text(), Memo1.Text(), Edit2.Text()}, card_.PrintPicture,
           card_.FileExists, card_.BuiltIn);
  card_.Card->Preview();  // returns when the preview has been closed
}

void TForm2::MouseDown(TImage& control, MouseButton button, int x, int y) {
  if (&control == &Image1) return StartDrag(button);
  buttons_.Press(control);
}

void TForm2::MouseUp(TImage& control, MouseButton button, int x, int y) { buttons_.Release(control); }

void TForm2::MouseMove(TImage& control, int x, int y) { btnMouseMove(control); }

void TForm2::Click(TImage& control) { buttons_.Click(control); }

void TForm2::btnMouseMove(const TImage& control) { buttons_.Hover(control); }

}  // namespace ormind
