#include "pictures/win32/wic_graphic.h"

#include <wincodec.h>

#include <limits>

#include "pictures/picture_error.h"
#include "pictures/win32/com_apartment.h"
#include "platform/handles.h"

namespace ormind {
namespace {

constexpr char kUnreadable[] = "The picture file cannot be read";

PixelImage Decode(std::span<const uint8_t> file) {
  EnsureComApartment();
  if (file.empty() || file.size() > std::numeric_limits<DWORD>::max()) {
    throw PictureError(kUnreadable);
  }
  ComRef<IWICImagingFactory> factory;
  CheckPictureCall(
      CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out())),
      kUnreadable);
  ComRef<IWICStream> stream;
  CheckPictureCall(factory->CreateStream(stream.Out()), kUnreadable);
  CheckPictureCall(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                                static_cast<DWORD>(file.size())),
                   kUnreadable);
  ComRef<IWICBitmapDecoder> decoder;
  CheckPictureCall(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, decoder.Out()),
                   kUnreadable);
  ComRef<IWICBitmapFrameDecode> frame;
  CheckPictureCall(decoder->GetFrame(0, frame.Out()), kUnreadable);
  ComRef<IWICFormatConverter> converter;
  CheckPictureCall(factory->CreateFormatConverter(converter.Out()), kUnreadable);
  CheckPictureCall(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0,
                                         WICBitmapPaletteTypeCustom),
                   kUnreadable);
  UINT width = 0, height = 0;
  CheckPictureCall(converter->GetSize(&width, &height), kUnreadable);
  if (width == 0 || height == 0 || width > 32768 || height > 32768) throw PictureError(kUnreadable);
  PixelImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(static_cast<size_t>(width) * height);
  CheckPictureCall(converter->CopyPixels(nullptr, width * 4,
                                         static_cast<UINT>(image.pixels.size() * 4),
                                         reinterpret_cast<BYTE*>(image.pixels.data())),
                   kUnreadable);
  for (uint32_t& pixel : image.pixels) pixel = OverWhite(pixel);
  return image;
}

}  // namespace

void TWicImage::LoadFromBytes(std::span<const uint8_t> file) { bitmap_.Assign(Decode(file)); }

}  // namespace ormind
