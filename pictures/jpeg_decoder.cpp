#include "pictures/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"

namespace ormind {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void OnMessage(j_common_ptr, int) {}  // warnings are not shown

// Everything that must be released when libjpeg jumps out lives outside the jumping frame.
struct Decompressor {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  ~Decompressor() { jpeg_destroy_decompress(&info); }
};

void ConvertRow(const uint8_t* src, int width, int components, uint32_t* dst) {
  for (int x = 0; x < width; ++x) {
    const uint8_t* p = src + x * components;
    dst[x] = components == 1 ? uint32_t{p[0]} * 0x010101u
                             : uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
  }
}

// Reads the header and starts the decoder at 1/`divisor`, checking what libjpeg produces.
// Called after setjmp by the caller; reports an unsupported picture as too big.
void StartDecoder(Decompressor& d, std::span<const uint8_t> file, int divisor) {
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&d.info, TRUE);
  if (d.info.jpeg_color_space != JCS_GRAYSCALE) d.info.out_color_space = JCS_RGB;
  d.info.scale_num = 1;
  d.info.scale_denom = static_cast<unsigned>(divisor);
  jpeg_calc_output_dimensions(&d.info);
  const int64_t width = d.info.output_width, height = d.info.output_height;
  const int components = d.info.output_components;
  if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels ||
      (components != 1 && components != 3)) {
    std::longjmp(d.errors.jump, 2);
  }
}

void Prepare(Decompressor& d) {
  d.info.err = jpeg_std_error(&d.errors.base);
  d.errors.base.error_exit = OnError;
  d.errors.base.emit_message = OnMessage;
}

[[noreturn]] void Fail(const Decompressor& d, int jumped) {
  const int code = jumped == 2 ? JERR_IMAGE_TOO_BIG : d.errors.base.msg_code;
  throw PictureError("JPEG error #" + std::to_string(code));
}

}  // namespace

JpegSize ReadJpegSize(std::span<const uint8_t> file) {
  Decompressor d;
  Prepare(d);
  if (const int jumped = setjmp(d.errors.jump)) Fail(d, jumped);
  StartDecoder(d, file, 1);
  return {static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height)};
}

int JpegScaleDivisor(JpegSize size, JpegSize wanted) {
  if (wanted.width <= 0 || wanted.height <= 0) return 1;
  for (int divisor = 8; divisor > 1; divisor /= 2) {
    const int width = (size.width + divisor - 1) / divisor;
    const int height = (size.height + divisor - 1) / divisor;
    if (width >= wanted.width && height >= wanted.height) return divisor;
  }
  return 1;
}

PixelImage DecodeJpeg(std::span<const uint8_t> file, int divisor) {
  if (divisor != 1 && divisor != 2 && divisor != 4 && divisor != 8) divisor = 1;
  Decompressor d;
  Prepare(d);
  PixelImage image;
  std::vector<uint8_t> row;
  // No object with a destructor may be created between setjmp and the last libjpeg call.
  if (const int jumped = setjmp(d.errors.jump)) Fail(d, jumped);
  StartDecoder(d, file, divisor);
  jpeg_start_decompress(&d.info);
  const int width = static_cast<int>(d.info.output_width);
  const int height = static_cast<int>(d.info.output_height);
  const int components = d.info.output_components;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  row.resize(static_cast<size_t>(width) * components);
  while (d.info.output_scanline < d.info.output_height) {
    uint8_t* rows[] = {row.data()};
    const int y = static_cast<int>(d.info.output_scanline);
    jpeg_read_scanlines(&d.info, rows, 1);
    ConvertRow(row.data(), width, components, image.pixels.data() + static_cast<size_t>(y) * width);
  }
  jpeg_finish_decompress(&d.info);
  return image;
}

}  // namespace ormind
