#pragma once
// Plays a page picture for the screen. A raster picture the page draws smaller than it is,
// asking for halftoning (the card's background at the preview's zoom), is averaged down to the
// device pixels it covers by the program's own code and copied in at that size: the system's
// halftone stretching does the same far more slowly, and the first paint of a card waits for
// it. Everything else plays as PlayEnhMetaFile plays it.
#include <windows.h>

namespace ormind {

// Plays `picture` into `dc` over `area`, as PlayEnhMetaFile does. False when it could not be
// played (as PlayEnhMetaFile's result).
bool PlayPagePicture(HDC dc, HENHMETAFILE picture, const RECT& area);

// How many raster pictures PlayPagePicture has drawn down itself in this process (the tests
// and the benchmark read it).
int PagePicturesDrawnDown();

}  // namespace ormind
