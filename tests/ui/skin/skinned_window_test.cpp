// Skinned windows hosting a scroll box and child controls: nothing is left behind when they go,
// hosted controls never paint the see-through colour, and the windows are cut out by a region
// of their face, so that white drawn in them later is no hole.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "pictures/win32/bitmap_graphic.h"
#include "platform/handles.h"
#include "platform/message_loop.h"
#include "platform/standard_controls.h"
#include "platform/toolbar.h"
#include "ui/skin/scroll_box.h"
#include "ui/skin/skinned_form.h"
#include "ui/skin/text_label.h"

namespace ormind {
namespace {

// A host of its own: no owner window, layered where the system has it.
TSkinHost TestHost() {
  return {.instance = GetModuleHandleW(nullptr),
          .title = L"test",
          .layered = &SetLayeredWindowAttributes};
}

// A face like the editor's: a blue card on white, with a white window cut into it.
constexpr Bounds kCard{5, 5, 50, 30}, kCutOut{20, 15, 10, 8};
std::unique_ptr<TGraphic> CardFace() {
  PixelImage image{60, 40, std::vector<uint32_t>(60 * 40, 0xFFFFFF)};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (kCard.Contains(x, y) && !kCutOut.Contains(x, y)) image.pixels[y * 60 + x] = 0x3060C0;
  return std::make_unique<TBitmap>(std::move(image));
}

class CardLikeForm final : public TSkinnedForm {
 public:
  CardLikeForm() : TSkinnedForm(TestHost()), face(*this, "Image1", {0, 0, 60, 40}, {}, false) {
    CreateForm(L"OrmindTestSkinnedForm", L"test", {100, 100, 300, 200});
    face.SetPicture(CardFace());
    AddControl(face);
    box.Create(*this, {10, 40, 200, 100});
    edit.Create(*this, {10, 150, 200, 20}, 101, {.flat = true});
    edit.SetColors(RGB(0, 0, 0), kTransparentColorValue);
    glyphs.Reset(CreateCompatibleBitmap(WindowDC(nullptr).Get(), 32, 16));
    toolbar.Create(*this, 102, glyphs.Get(), 16, RGB(255, 0, 255));
    toolbar.AddButton({.id = 201, .image = 0, .hint = "Print"});
    font.Reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    edit.SetFont(font.Get());
  }
  ~CardLikeForm() override { DestroyHandle(); }

  TImage face;
  BitmapHandle glyphs;
  FontHandle font;
  TScrollBox box;
  TEdit edit;
  TToolBar toolbar;
};

struct Counts {
  int windows, brushes, fonts, bitmaps, imageLists, threadWindows;
  DWORD gdi, user;
  friend bool operator==(const Counts&, const Counts&) = default;
};

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

Counts Now() {
  int threadWindows = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&threadWindows));
  // The system's object counts read 0 under some emulators; the owners' own counts do not.
  return {TWindow::LiveWindows(),  BrushHandle::LiveCount(),  FontHandle::LiveCount(),
          BitmapHandle::LiveCount(), ImageListHandle::LiveCount(), threadWindows,
          GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

TEST(SkinnedWindows, AThousandWindowsComeAndGoWithoutLeavingAnything) {
  { CardLikeForm warmUp; }  // classes registered, caches filled
  const Counts before = Now();
  for (int i = 0; i < 1000; ++i) {
    CardLikeForm form;
    if (i == 0) {
      const Counts during = Now();
      EXPECT_EQ(during.windows, before.windows + 2);  // the form and its scroll box
      EXPECT_EQ(during.imageLists, before.imageLists + 1);
    }
  }
  const Counts after = Now();
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.brushes, before.brushes);
  EXPECT_EQ(after.fonts, before.fonts);
  EXPECT_EQ(after.bitmaps, before.bitmaps);
  EXPECT_EQ(after.imageLists, before.imageLists);
  EXPECT_EQ(after.threadWindows, before.threadWindows);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
}

TEST(SkinnedWindows, HostedControlsNeverPaintTheSeeThroughColour) {
  CardLikeForm form;
  const HDC dc = GetDC(form.edit.Handle());
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(form.Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(form.edit.Handle())));
  LOGBRUSH described{};
  ASSERT_TRUE(GetObjectW(brush, sizeof(described), &described));
  EXPECT_NE(described.lbColor, kTransparentColorValue);
  EXPECT_NE(GetBkColor(dc), kTransparentColorValue);
  ReleaseDC(form.edit.Handle(), dc);
}

class FacedForm final : public TSkinnedForm {
 public:
  FacedForm(TSkinHost host, std::unique_ptr<TGraphic> picture)
      : TSkinnedForm(std::move(host)), face(*this, "Image1", {0, 0, 60, 40}, {}, false) {
    CreateForm(L"OrmindTestFacedForm", L"test", {200, 200, 60, 40});
    if (picture) face.SetPicture(std::move(picture));
    AddControl(face);
  }
  ~FacedForm() override { DestroyHandle(); }
  using TSkinnedForm::AddControl;
  TImage face;
};

// A form laid out at its scale, as the program's windows are: its size, its face's place and
// picture, and a note of each DPI it was laid out at.
class ScalingForm final : public TSkinnedForm {
 public:
  ScalingForm() : TSkinnedForm(TestHost()), face(*this, "Image1", {0, 0, 60, 40}, {true}, false) {
    CreateForm(L"OrmindTestScalingForm", L"test", {200, 200, 60, 40});
    AddControl(face);
    LayOut();
  }
  ~ScalingForm() override { DestroyHandle(); }
  void LayOut() override {
    layouts.push_back(Scale().Dpi());
    SetLayoutSize(60, 40);
    face.SetBounds(Scale().Rect({0, 0, 60, 40}));
    face.SetPicture(CardFace());  // one rendering, drawn up or down to every scale
  }
  TImage face;
  std::vector<int> layouts;
};

// Moved to a monitor of another DPI, a window takes the place the system suggests and is laid
// out and cut out again at the new scale; moved back, it is as it was.
TEST(SkinnedWindows, OnADpiChangeTakeTheSuggestedPlaceAndAreLaidOutAndShapedAnew) {
  ScalingForm form;
  const int startDpi = form.Scale().Dpi();
  const struct { int dpi; RECT suggested; } cases[] = {
      {144, {300, 100, 390, 160}}, {192, {0, 0, 120, 80}},
      {72, {10, 10, 55, 40}},  // drawn down: the face's holes must still cut the window
      {96, {200, 200, 260, 240}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                 reinterpret_cast<LPARAM>(&c.suggested));
    EXPECT_EQ(form.Scale().Dpi(), c.dpi);
    ASSERT_FALSE(form.layouts.empty());
    EXPECT_EQ(form.layouts.back(), c.dpi);
    RECT window{};
    GetWindowRect(form.Handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &c.suggested));
    EXPECT_EQ(form.Shape(), TWindowShape::Region);
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form.Handle(), region.Get()), COMPLEXREGION);
    const auto at = [&](int layout) { return layout * c.dpi / 96; };
    EXPECT_TRUE(PtInRegion(region.Get(), at(10), at(10))) << "the card";
    EXPECT_TRUE(PtInRegion(region.Get(), at(50), at(30))) << "the card's far corner";
    EXPECT_FALSE(PtInRegion(region.Get(), at(25), at(19))) << "the window cut into it";
    EXPECT_FALSE(PtInRegion(region.Get(), at(57), at(37))) << "the white beside it";
  }
  EXPECT_EQ(form.layouts.front(), startDpi);
  EXPECT_EQ(form.layouts.size(), 1u + std::size(cases));
}

// A scroll box holding text much taller than itself, laid out at the form's scale.
class ScrollingForm final : public TSkinnedForm {
 public:
  ScrollingForm()
      : TSkinnedForm(TestHost()),
        text(0, 0, {L"Arial", 12, false, false, RGB(0, 0, 0)}, std::string(40, '\n') + "end") {
    CreateForm(L"OrmindTestScrollingForm", L"test", {200, 200, 120, 80});
    box.Create(*this, {0, 0, 100, 60});
    box.AddLabel(text);
    LayOut();
  }
  ~ScrollingForm() override { DestroyHandle(); }
  void LayOut() override {
    SetLayoutSize(120, 80);
    text.SetScale(Scale());
    box.SetBounds(Scale().Rect({0, 0, 100, 60}));
  }
  TLabel text;
  TScrollBox box;
};

// A scroll arrow's line and a wheel line move the text as far on the screen at every scale:
// 8 pixels at 96 DPI, and as many more as the scale is larger, also after a DPI change.
TEST(SkinnedWindows, ScrollLinesGrowWithTheDisplayScale) {
  ScrollingForm form;
  UINT wheelLines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
  const struct { int dpi, line; } cases[] = {{144, 12}, {192, 16}, {120, 10}, {96, 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const RECT suggested{200, 200, 200 + 120 * c.dpi / 96, 200 + 80 * c.dpi / 96};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    form.box.ScrollTo(SB_VERT, 0);
    SendMessageW(form.box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(form.box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(form.box.Handle(), SB_VERT), 2 * c.line) << "two arrow clicks";
    SendMessageW(form.box.Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(GetScrollPos(form.box.Handle(), SB_VERT), c.line) << "and one back";
    form.box.ScrollTo(SB_VERT, 0);
    SendMessageW(form.box.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(GetScrollPos(form.box.Handle(), SB_VERT), static_cast<int>(wheelLines) * c.line)
        << "a notch of the wheel";
  }
}

// Shaped by a region made from the face, a window is not layered at all, so nothing drawn in it
// later can cut a hole; only where no region can be made does it fall back to the colour key
// (or, without layered windows, stay a rectangle).
TEST(SkinnedWindows, AreCutOutByARegionOfTheirFaceAndByTheColourKeyOnlyWithoutOne) {
  const struct {
    const char* what;
    bool withFace, layeredAvailable;
    TWindowShape shape;
  } cases[] = {{"a face", true, true, TWindowShape::Region},
               {"a face, no layered windows", true, false, TWindowShape::Region},
               {"no face picture", false, true, TWindowShape::ColorKey},
               {"no face picture, no layered windows", false, false, TWindowShape::Rectangle}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TSkinHost host = TestHost();
    if (!c.layeredAvailable) host.layered = nullptr;
    FacedForm form(host, c.withFace ? CardFace() : nullptr);
    EXPECT_EQ(form.Shape(), c.shape);
    const bool layered = GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED;
    EXPECT_EQ(layered, c.shape == TWindowShape::ColorKey);
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const int kind = GetWindowRgn(form.Handle(), region.Get());
    if (c.shape != TWindowShape::Region) {
      EXPECT_EQ(kind, ERROR) << "no region";
      continue;
    }
    EXPECT_EQ(kind, COMPLEXREGION);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x)
        ASSERT_EQ(PtInRegion(region.Get(), x, y) != FALSE, kCard.Contains(x, y) && !kCutOut.Contains(x, y))
            << x << ", " << y;
  }
}

// The fault the region removes: the system's controls draw outside WM_PAINT (a selection in
// an edit, the caret, a themed scroll bar), and white they draw there must stay white on the
// screen. Here white is drawn straight onto the window, as they would, and the screen read back.
TEST(SkinnedWindows, WhiteDrawnOutsidePaintingIsNoHole) {
  const struct {
    const char* what;
    bool withFace;
    bool hole;  // white shown as see-through
  } cases[] = {{"shaped by its face", true, false}, {"shaped by the colour key", false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FacedForm form(TestHost(), c.withFace ? CardFace() : nullptr);
    form.Show();
    UpdateWindow(form.Handle());
    {
      WindowDC dc(form.Handle());
      const RECT inCard{10, 10, 20, 20};
      FillRect(dc.Get(), &inCard, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    GdiFlush();
    for (int i = 0; i < 20; ++i) {  // the display catches up
      ProcessPendingMessages();
      Sleep(10);
    }
    const COLORREF shown = GetPixel(WindowDC(nullptr).Get(), 200 + 15, 200 + 15);
    EXPECT_EQ(shown != RGB(255, 255, 255), c.hole) << std::hex << shown;
    form.Hide();
  }
}

// The tooltip of a window's hints is made on the first mouse move over it, holding the hints as
// they stand then: set, changed, moved and removed before it existed.
TEST(SkinnedWindows, HintsReachTheirTooltipWhenTheMouseFirstMovesOverTheWindow) {
  FacedForm form(TestHost(), CardFace());
  TImage kept(form, "btn1", {2, 2, 10, 10}, {}, true), changed(form, "btn2", {14, 2, 10, 10}, {}, true),
      removed(form, "btn3", {26, 2, 10, 10}, {}, true);
  for (TImage* control : {&kept, &changed, &removed}) {
    control->SetHint("first");
    form.AddControl(*control);
  }
  changed.SetHint("second");
  changed.SetBounds({14, 20, 12, 12});
  removed.SetHint("");
  const auto tooltipOf = [&form] {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) &&
           GetWindow(w, GW_OWNER) != form.Handle()) {
    }
    return w;
  };
  EXPECT_EQ(tooltipOf(), nullptr) << "made before the mouse came";
  SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  const HWND tooltip = tooltipOf();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
  const struct { UINT_PTR id; const wchar_t* text; RECT rect; } expected[] = {
      {2, L"first", {2, 2, 12, 12}}, {3, L"second", {14, 20, 26, 32}}};
  for (const auto& e : expected) {
    wchar_t text[80] = {};
    TOOLINFOW tool{.cbSize = sizeof(TOOLINFOW), .hwnd = form.Handle(), .uId = e.id, .lpszText = text};
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, e.text) << e.id;
    ASSERT_TRUE(SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) << e.id;
    EXPECT_TRUE(EqualRect(&tool.rect, &e.rect)) << e.id;
  }
}

}  // namespace
}  // namespace ormind
