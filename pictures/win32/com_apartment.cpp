#include "pictures/win32/com_apartment.h"

#include <ole2.h>

#include <cstdio>

#include "pictures/picture_error.h"

namespace ormind {

void EnsureComApartment() {
  // S_FALSE (already joined) is as good; a thread already in another apartment still works
  // for the in-process objects used here.
  static const HRESULT joined = OleInitialize(nullptr);
  (void)joined;
}

void CheckPictureCall(HRESULT result, const char* what) {
  if (SUCCEEDED(result)) return;
  char code[16];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
  throw PictureError(std::string(what) + " (error 0x" + code + ")");
}

}  // namespace ormind
