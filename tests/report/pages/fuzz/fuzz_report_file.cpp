// Fuzzes reading whole report files: the header and record checks of LoadHeader, the page walks
// and ReadPage on plain and packed pages. Any input must end in pages or in ERptError.
#include <cstddef>
#include <cstdint>

#include "report/pages/error.h"
#include "report/pages/page_list.h"

using namespace ormind;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TRptPageList list;
  list.SetStream(TRptStream::CreateInMemory(INT32_MAX));
  list.Stream()->Write(data, size);
  try {
    list.LoadHeader();
  } catch (const ERptError&) {
    return 0;
  }
  // Forward, backward and jumps, as the preview moves through pages.
  const int32_t count = list.Count();
  const int32_t order[] = {2, 4, 3, 1, count, count - 1, count / 2, count + 1, 0};
  for (int32_t n : order) {
    try {
      auto page = list.ReadPage(n);
      if (page && (page->FrameWidth() < 0 || page->FrameHeight() < 0)) __builtin_trap();
    } catch (const ERptError&) {
    }
  }
  return 0;
}
