#include "tests/report/win32/test_report_pages.h"

#include <string>

namespace ormind::testing {

void DrawTestPage(TRptCanvas& canvas, int number, int32_t width, int32_t height, bool withText) {
  constexpr int kColours = sizeof kPageColours / sizeof kPageColours[0];
  canvas.FillRect({0, 0, width, height}, 0xFFFFFF);
  canvas.FillRect({0, 0, width, height / 5}, kPageColours[(number - 1) % kColours]);
  if (!withText) return;
  TRptFont font;
  font.Height = -height / 8;
  font.Style = fsBold;
  canvas.SelectFont(font);
  canvas.DrawText(width / 2, height * 2 / 5, "Page " + std::to_string(number),
                  TRptTextAlign::Center, false);
}

}  // namespace ormind::testing
