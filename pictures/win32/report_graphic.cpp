#include "pictures/win32/report_graphic.h"

#include "pictures/picture_error.h"
#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/graphic_registry.h"
#include "pictures/win32/icon_graphic.h"
#include "pictures/win32/jpeg_graphic.h"
#include "pictures/win32/metafile_graphic.h"
#include "pictures/win32/ole_graphic.h"
#include "pictures/win32/wic_graphic.h"
#include "platform/resource_bytes.h"

namespace ormind {
namespace {

template <class Graphic>
TRptGraphicLoader LoaderOf() {
  return [](const std::string& path) -> std::unique_ptr<TRptGraphic> {
    auto graphic = std::make_shared<Graphic>();
    graphic->LoadFromBytes(ReadPictureFile(path));
    return std::make_unique<TRptWindowsGraphic>(std::move(graphic));
  };
}

// Holds the JPEG bytes linked into the program and decodes them on the first question about
// the picture, once for every card that shows it.
class TBuiltInJpeg : public TGraphic {
 public:
  explicit TBuiltInJpeg(std::span<const uint8_t> jpeg) : jpeg_(jpeg) {}
  int Width() const override { return Decoded().Width(); }
  int Height() const override { return Decoded().Height(); }
  void LoadFromBytes(std::span<const uint8_t> file) override { jpeg_ = file, decoded_.reset(); }
  void Draw(HDC dc, const RECT& rect) override { Decoded().Draw(dc, rect); }

 private:
  TJPEGImage& Decoded() const {
    if (!decoded_) {
      auto image = std::make_unique<TJPEGImage>();
      image->LoadFromBytes(jpeg_);
      decoded_ = std::move(image);
    }
    return *decoded_;
  }

  std::span<const uint8_t> jpeg_;
  mutable std::unique_ptr<TJPEGImage> decoded_;
};

}  // namespace

std::map<std::string, TRptGraphicLoader> WindowsGraphicLoaders() {
  return {{"TMetafile", LoaderOf<TMetafile>()},   {"TIcon", LoaderOf<TIconImage>()},
          {"TBitmap", LoaderOf<TBitmap>()},       {"TJPEGImage", LoaderOf<TJPEGImage>()},
          {"TGIFImage", LoaderOf<TWicImage>()},   {"TPngImage", LoaderOf<TWicImage>()},
          {"TOleGraphic", LoaderOf<TOleGraphic>()}};
}

const TRptPictureFormats& ProgramPictureFormats() {
  static const TRptPictureFormats formats = StandardPictureFormats(WindowsGraphicLoaders());
  return formats;
}

std::unique_ptr<TRptGraphic> BuiltInCardBackground() {
  static const std::shared_ptr<TGraphic> background = [] {
    const auto bytes = ResourceBytes(GetModuleHandleW(nullptr), L"CARD_BACKGROUND", RT_RCDATA);
    if (bytes.empty()) throw PictureError("Resource CARD_BACKGROUND not found");
    return std::make_shared<TBuiltInJpeg>(bytes);
  }();
  return std::make_unique<TRptWindowsGraphic>(background);
}

}  // namespace ormind
