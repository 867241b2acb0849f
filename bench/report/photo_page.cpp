#include "bench/report/photo_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <jpeglib.h>

#include "tests/report/pages/emf_builder.h"

namespace ormind::bench {
namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> bgr;  // top-down rows, 3 bytes a pixel
};

bool ReadJpeg(const char* path, Image& image) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, f);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  image.width = int(info.output_width);
  image.height = int(info.output_height);
  image.bgr.resize(size_t(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &image.bgr[size_t(info.output_scanline) * image.width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(f);
  return true;
}

// Smooth shapes with fine noise, standing in for a photograph.
Image Synthetic() {
  Image image{600, 400, {}};
  image.bgr.resize(600 * 400 * 3);
  std::mt19937 rng(7);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x)
      for (int c = 0; c < 3; ++c) {
        const double v = 128 + 60 * std::sin(x * 0.02 * (c + 1)) * std::cos(y * 0.015) +
                         int(rng() % 17) - 8;
        image.bgr[(size_t(y) * 600 + x) * 3 + c] = uint8_t(std::clamp(v, 0.0, 255.0));
      }
  return image;
}

}  // namespace

PhotoPage MakePhotoPage(int dotsPerInch) {
  Image photo;
  std::string source = "synthetic picture";
  const char* chosen = std::getenv("ORMIND_BENCH_PHOTO");
  for (const char* path : {chosen, "/usr/share/inkscape/pixmaps/ticotico.jpg"}) {
    if (path && ReadJpeg(path, photo)) {
      source = path;
      break;
    }
  }
  if (photo.width == 0) photo = Synthetic();

  const int width = int(std::lround(210 / 25.4 * dotsPerInch));
  const int height = int(std::lround(297 / 25.4 * dotsPerInch));
  const size_t stride = size_t(width * 3 + 3) & ~size_t(3);
  std::vector<uint8_t> rows(stride * height, 0);
  for (int y = 0; y < height; ++y) {
    // Mirrored tiling keeps the photograph's own texture without seams.
    const int ty = (y / photo.height) % 2 ? photo.height - 1 - y % photo.height : y % photo.height;
    uint8_t* out = &rows[stride * (height - 1 - y)];  // bottom-up
    for (int x = 0; x < width; ++x) {
      const int tx = (x / photo.width) % 2 ? photo.width - 1 - x % photo.width : x % photo.width;
      const uint8_t* in = &photo.bgr[(size_t(ty) * photo.width + tx) * 3];
      out[x * 3] = in[0];
      out[x * 3 + 1] = in[1];
      out[x * 3 + 2] = in[2];
    }
  }
  testing::EmfBuilder emf(21000, 29700);
  emf.Bitmap(0, 0, 794, 1123, width, height, rows);
  return {emf.Finish(), source};
}

}  // namespace ormind::bench
