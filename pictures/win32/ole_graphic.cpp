#include "pictures/win32/ole_graphic.h"

#include <cstring>

#include "pictures/picture_error.h"
#include "platform/handles.h"

namespace ormind {
namespace {
constexpr char kUnreadable[] = "The picture file cannot be read";
}  // namespace

void TOleGraphic::LoadFromBytes(std::span<const uint8_t> file) {
  EnsureComApartment();
  if (file.empty()) throw PictureError(kUnreadable);
  GlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE, file.size()));
  if (!memory) throw PictureError(kUnreadable);
  if (void* bytes = GlobalLock(memory.Get())) {
    std::memcpy(bytes, file.data(), file.size());
    GlobalUnlock(memory.Get());
  }
  ComRef<IStream> stream;
  // The stream does not take the memory over: it stays ours and goes with `memory`.
  CheckPictureCall(CreateStreamOnHGlobal(memory.Get(), FALSE, stream.Out()), kUnreadable);
  ComRef<IPicture> picture;
  CheckPictureCall(OleLoadPicture(stream.Get(), static_cast<LONG>(file.size()), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(picture.Out())),
                   kUnreadable);
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  picture_.Swap(picture);
  himetricWidth_ = w;
  himetricHeight_ = h;
  width_ = MulDiv(w, 96, 2540);
  height_ = MulDiv(h, 96, 2540);
}

void TOleGraphic::Draw(HDC dc, const RECT& rect) {
  if (!picture_) return;
  // The source rectangle runs bottom-up in HIMETRIC, as the loader's pictures are stored.
  picture_->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0,
                   himetricHeight_, himetricWidth_, -himetricHeight_, nullptr);
}

}  // namespace ormind
