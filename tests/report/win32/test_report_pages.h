#pragma once
// The numbered pages of the printing tests: page n carries a band in its own colour across the
// top, so its place in a printed job can be read back from a picture of the sheet.
#include <cstdint>

#include "report/model/canvas.h"

namespace ormind::testing {

inline constexpr TRptColor kPageColours[] = {0x0000CC, 0x00AA00, 0xCC0000, 0x00CCCC, 0xCC00CC,
                                             0xCCCC00, 0x404040, 0x0080FF, 0x8000FF, 0x808000};

// Draws page `number` (1-based) on a page of width x height canvas pixels, with its number
// unless `withText` is false.
void DrawTestPage(TRptCanvas& canvas, int number, int32_t width, int32_t height,
                  bool withText = true);

}  // namespace ormind::testing
