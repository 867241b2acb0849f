// Skinned windows hosting a scroll box and child controls: nothing is left behind when they go,
// and hosted controls never paint the see-through colour.
#include <gtest/gtest.h>

#include "platform/handles.h"
#include "platform/standard_controls.h"
#include "platform/toolbar.h"
#include "ui/skin/scroll_box.h"
#include "ui/skin/skinned_form.h"

namespace ormind {
namespace {

// A host of its own: no owner window, layered where the system has it.
TSkinHost TestHost() {
  return {.instance = GetModuleHandleW(nullptr),
          .title = L"test",
          .layered = &SetLayeredWindowAttributes};
}

class CardLikeForm final : public TSkinnedForm {
 public:
  CardLikeForm() : TSkinnedForm(TestHost()) {
    CreateForm(L"OrmindTestSkinnedForm", L"test", {100, 100, 300, 200});
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

// The system draws selected text white on its highlight colour; on a skinned window that white
// would be a hole. Whatever the edit shows (text, selection, caret position), no pixel of it is
// the see-through colour.
TEST(SkinnedWindows, AnEditNeverShowsTheSeeThroughColourEvenWhenTextIsSelected) {
  const struct {
    const char* text;
    int selectFrom, selectTo;
  } cases[] = {{"Selected text", 0, -1}, {"Part selected", 5, 9}, {"Nothing selected", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CardLikeForm form;
    form.edit.SetColors(RGB(0, 0, 0), RGB(221, 238, 255));
    form.Show();
    form.edit.SetText(c.text);
    form.edit.SetFocus();
    SendMessageW(form.edit.Handle(), EM_SETSEL, c.selectFrom, c.selectTo);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -20, 1, 32, BI_RGB};
    uint32_t* bits = nullptr;
    MemoryDC dc(nullptr);
    BitmapHandle picture(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&bits), nullptr, 0));
    SelectedObject selected(dc.Get(), picture.Get());
    SendMessageW(form.edit.Handle(), WM_PRINTCLIENT, WPARAM(dc.Get()), PRF_CLIENT);
    GdiFlush();
    int white = 0, background = 0;
    for (int i = 0; i < 200 * 20; ++i) {
      white += (bits[i] & 0xFFFFFF) == 0xFFFFFF;
      background += (bits[i] & 0xFFFFFF) == 0xDDEEFF;
    }
    EXPECT_EQ(white, 0);
    EXPECT_GT(background, 0);  // the edit did paint
    form.Hide();
  }
}

}  // namespace
}  // namespace ormind
