#pragma once
// A picture that can be loaded from the bytes of its file and drawn stretched into a
// rectangle of a device context. The classes are found by name (for pictures stored in a
// window's layout) or by file extension through GraphicRegistry.
#include <windows.h>

#include <cstdint>
#include <span>

namespace ormind {

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // Replaces the picture by the one in `file` (a whole file of the class's format). Throws
  // PictureError and keeps the previous picture when the bytes are not a valid file.
  virtual void LoadFromBytes(std::span<const uint8_t> file) = 0;
  // The class's own data inside a stored picture: a 32-bit byte count and the file.
  virtual void ReadStoredData(std::span<const uint8_t> data);

  // Draws the picture into `rect`, stretched when the sizes differ.
  virtual void Draw(HDC dc, const RECT& rect) = 0;

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent) { transparent_ = transparent; }

 private:
  bool transparent_ = false;
};

}  // namespace ormind
