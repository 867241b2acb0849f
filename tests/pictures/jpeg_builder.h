#pragma once
// Encodes a one-colour JPEG in memory for the picture tests.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace ormind::testing {

inline std::vector<uint8_t> EncodeJpeg(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {r, g, b});
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

}  // namespace ormind::testing
