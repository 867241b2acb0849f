#pragma once
// A page picture: one report page as an enhanced metafile. The page store only moves its bytes,
// so it sees the picture through this interface; the Windows page printer's metafile (a GDI
// handle) and the portable byte image below both implement it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ormind {

class TRptPagePicture {
 public:
  virtual ~TRptPagePicture() = default;
  // The picture as a standalone EMF byte image (held by the picture: copy it to keep it).
  virtual const std::vector<uint8_t>& Bytes() const = 0;
  // Takes over an EMF byte image (as checked by ReadEmfHeader); throws ERptError otherwise.
  virtual void LoadFromBytes(std::vector<uint8_t> bytes) = 0;
  // The picture frame in 0.01 mm.
  virtual int32_t FrameWidth() const = 0;
  virtual int32_t FrameHeight() const = 0;

  // The size in pixels on a device of `pixelsPerInch`, rounded to the nearest pixel.
  int32_t WidthInPixels(int32_t pixelsPerInch) const;
  int32_t HeightInPixels(int32_t pixelsPerInch) const;
};

// Makes the empty pictures that stored pages are read into.
using TRptPictureFactory = std::function<std::unique_ptr<TRptPagePicture>()>;

// The parts of an EMF header the page store relies on.
struct TRptEmfHeader {
  static constexpr size_t kMinimumSize = 88;  // the header record without its extensions
  uint32_t HeaderSize = 0;                    // nSize of the header record
  uint32_t TotalBytes = 0;                    // nBytes: the whole metafile
  int32_t FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;  // 0.01 mm
};

// Reads and checks the header at the start of `size` bytes (at least kMinimumSize are needed
// for a verdict): record type 1, the signature " EMF" at byte 40, a header record of at least
// 88 bytes within a total length that is a multiple of 4. Throws ERptError
// "Not a valid report file: <what>" otherwise.
TRptEmfHeader ReadEmfHeader(const uint8_t* bytes, size_t size);

// The portable page picture: the EMF bytes themselves.
class TRptEmfImage final : public TRptPagePicture {
 public:
  TRptEmfImage() = default;
  explicit TRptEmfImage(std::vector<uint8_t> bytes) { LoadFromBytes(std::move(bytes)); }
  void LoadFromBytes(std::vector<uint8_t> bytes) override;
  int32_t FrameWidth() const override { return fHeader.FrameRight - fHeader.FrameLeft; }
  int32_t FrameHeight() const override { return fHeader.FrameBottom - fHeader.FrameTop; }
  const std::vector<uint8_t>& Bytes() const override { return fBytes; }

 private:
  std::vector<uint8_t> fBytes;
  TRptEmfHeader fHeader;
};

}  // namespace ormind
