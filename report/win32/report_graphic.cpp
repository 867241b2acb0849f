#include "report/win32/report_graphic.h"

#include "pictures/picture_error.h"
#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/graphic_registry.h"
#include "pictures/win32/icon_graphic.h"
#include "pictures/win32/jpeg_graphic.h"
#include "pictures/win32/metafile_graphic.h"
#include "pictures/win32/ole_graphic.h"
#include "pictures/win32/wic_graphic.h"
#include "pictures/last_loaded_file.h"
#include "platform/resource_bytes.h"
#include "platform/text_encoding.h"

#include <optional>
#include <type_traits>

namespace ormind {
namespace {

template <class Graphic>
TRptGraphicLoader LoaderOf() {
  return [](const std::string& path) -> std::unique_ptr<TRptGraphic> {
    auto graphic = std::make_shared<Graphic>();
    graphic->LoadFromBytes(ReadPictureFile(path));
    constexpr bool raster = !std::is_same_v<Graphic, TMetafile>;
    return std::make_unique<TRptWindowsGraphic>(std::move(graphic), raster);
  };
}

// Holds the JPEG bytes linked into the program and reads them on the first question about the
// picture (so that making the card at start-up costs nothing); the picture then decodes at the
// size it is drawn, once for every card that shows it.
class TBuiltInJpeg : public TGraphic {
 public:
  explicit TBuiltInJpeg(std::span<const uint8_t> jpeg) : jpeg_(jpeg) {}
  int Width() const override { return Loaded().Width(); }
  int Height() const override { return Loaded().Height(); }
  void LoadFromBytes(std::span<const uint8_t> file) override { jpeg_ = file, loaded_.reset(); }
  void Draw(HDC dc, const RECT& rect) override { Loaded().Draw(dc, rect); }

 private:
  TJPEGImage& Loaded() const {
    if (!loaded_) {
      auto image = std::make_unique<TJPEGImage>();
      image->LoadFromBytes(jpeg_);
      loaded_ = std::move(image);
    }
    return *loaded_;
  }

  std::span<const uint8_t> jpeg_;
  mutable std::unique_ptr<TJPEGImage> loaded_;
};

// The size and time of last change of the file at `path`; none when it cannot be read.
std::optional<FileStamp> StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return {};
  return FileStamp{uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow,
                   static_cast<int64_t>(uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                        data.ftLastWriteTime.dwLowDateTime)};
}

// A loaded JPEG file with its copy scaled for page pictures.
struct TKeptJpeg {
  std::shared_ptr<TGraphic> graphic;
  std::shared_ptr<TRptScaledCopy> scaled = std::make_shared<TRptScaledCopy>();
};

// JPEG files (the card's background, printed again and again) keep the picture loaded last,
// with what it has decoded and scaled, while the file is unchanged.
TRptGraphicLoader JpegFileLoader() {
  auto last = std::make_shared<TLastLoadedFile<TKeptJpeg>>();
  return [last](const std::string& path) -> std::unique_ptr<TRptGraphic> {
    const auto stamp = StampOf(path);
    std::shared_ptr<TKeptJpeg> kept = last->Find(path, stamp);
    if (!kept) {
      auto loaded = std::make_shared<TJPEGImage>();
      loaded->LoadFromBytes(ReadPictureFile(path));
      kept = std::make_shared<TKeptJpeg>(TKeptJpeg{std::move(loaded)});
      last->Keep(path, stamp, kept);
    }
    return std::make_unique<TRptWindowsGraphic>(kept->graphic, true, kept->scaled);
  };
}

}  // namespace

void TRptWindowsGraphic::Draw(HDC dc, const RECT& rect) const {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const bool shrinks = width > 0 && height > 0 && width < graphic_->Width() &&
                       height < graphic_->Height();
  if (!raster_ || !shrinks || GetObjectType(dc) != OBJ_ENHMETADC) {
    graphic_->Draw(dc, rect);
    return;
  }
  if (HBITMAP scaled = ScaledTo(dc, width, height)) {
    MemoryDC source(dc);
    SelectedObject selected(source.Get(), scaled);
    // The page is played stretched (the preview's zoom, a printer's resolution): recorded with
    // the copy, halftoning keeps the picture smooth there instead of repeating pixels in blocks.
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    POINT brushOrigin{};
    SetBrushOrgEx(dc, 0, 0, &brushOrigin);
    StretchBlt(dc, rect.left, rect.top, width, height, source.Get(), 0, 0, width, height, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
    SetBrushOrgEx(dc, brushOrigin.x, brushOrigin.y, nullptr);
  }
}

HBITMAP TRptWindowsGraphic::ScaledTo(HDC dc, int width, int height) const {
  TRptScaledCopy& copy = *scaled_;
  if (copy.bitmap && copy.size.cx == width && copy.size.cy == height) return copy.bitmap.Get();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  BitmapHandle scaled(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scaled) return nullptr;
  {
    MemoryDC target(nullptr);
    SelectedObject selected(target.Get(), scaled.Get());
    // For picture classes that stretch with the DC's own mode.
    SetStretchBltMode(target.Get(), HALFTONE);
    SetBrushOrgEx(target.Get(), 0, 0, nullptr);
    graphic_->Draw(target.Get(), {0, 0, width, height});
  }
  copy.bitmap = std::move(scaled);
  copy.size = {width, height};
  return copy.bitmap.Get();
}

std::map<std::string, TRptGraphicLoader> WindowsGraphicLoaders() {
  return {{"TMetafile", LoaderOf<TMetafile>()},   {"TIcon", LoaderOf<TIconImage>()},
          {"TBitmap", LoaderOf<TBitmap>()},       {"TJPEGImage", JpegFileLoader()},
          {"TGIFImage", LoaderOf<TWicImage>()},   {"TPngImage", LoaderOf<TWicImage>()},
          {"TOleGraphic", LoaderOf<TOleGraphic>()}};
}

const TRptPictureFormats& ProgramPictureFormats() {
  static const TRptPictureFormats formats = StandardPictureFormats(WindowsGraphicLoaders());
  return formats;
}

std::unique_ptr<TRptGraphic> BuiltInCardBackground() {
  static const TKeptJpeg background = [] {
    const auto bytes = ResourceBytes(GetModuleHandleW(nullptr), L"CARD_BACKGROUND", RT_RCDATA);
    if (bytes.empty()) throw PictureError("Resource CARD_BACKGROUND not found");
    return TKeptJpeg{std::make_shared<TBuiltInJpeg>(bytes)};
  }();
  return std::make_unique<TRptWindowsGraphic>(background.graphic, true, background.scaled);
}

}  // namespace ormind
