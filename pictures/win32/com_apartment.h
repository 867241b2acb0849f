#pragma once
// COM objects used by the picture classes (the imaging component, the OLE picture loader) need
// the user-interface thread to be in an apartment; it joins once and stays for the process.
#include <windows.h>

namespace ormind {

void EnsureComApartment();

// Throws PictureError with `what` and the failure code unless `result` succeeded.
void CheckPictureCall(HRESULT result, const char* what);

}  // namespace ormind
