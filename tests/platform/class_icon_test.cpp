// A window class named with the program's icon gets both of its sizes, each the image drawn
// for it (the test icon's 32 x 32 images are red and blue, its 16 x 16 ones yellow and green).
#include <gtest/gtest.h>

#include "platform/handles.h"
#include "platform/window.h"

namespace ormind {
namespace {

class IconWindow final : public TWindow {
 public:
  IconWindow() {
    CreateHandle({.name = L"OrmindTestIconWindow", .icon = kProgramIcon},
                 {.style = WS_OVERLAPPEDWINDOW, .caption = L"icons", .width = 200, .height = 100});
  }
  ~IconWindow() override { DestroyHandle(); }
};

struct IconLook {
  int width = 0;
  COLORREF centre = CLR_INVALID;
};

IconLook LookAt(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  const BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(colour.Get(), sizeof(bitmap), &bitmap);
  MemoryDC dc(nullptr);
  SelectedObject selected(dc.Get(), colour.Get());
  return {bitmap.bmWidth, GetPixel(dc.Get(), bitmap.bmWidth / 2, bitmap.bmHeight / 2)};
}

TEST(WindowBase, AClassTakesEachSizeOfTheProgramIconFromItsOwnImage) {
  IconWindow window;
  const struct {
    const char* what;
    int index, sizeMetric;
    COLORREF colour;
  } cases[] = {{"large", GCLP_HICON, SM_CXICON, RGB(255, 0, 0)},
               {"small", GCLP_HICONSM, SM_CXSMICON, RGB(255, 255, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const IconLook look = LookAt(reinterpret_cast<HICON>(GetClassLongPtrW(window.Handle(), c.index)));
    EXPECT_EQ(look.width, GetSystemMetrics(c.sizeMetric));
    EXPECT_EQ(look.centre, c.colour);
  }
}

}  // namespace
}  // namespace ormind
