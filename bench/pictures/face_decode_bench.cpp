// Decoding the main window's face at start: the PNG file the program embeds, at 100 % and
// 200 %, against the 24-bit BMP of the same pixels that it embedded before (made here in
// memory from the decoded PNG, laid out as the old files were); and at 125 and 150 %, where
// the window reads the 200 % face and draws it down.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "pictures/bmp_decoder.h"
#include "pictures/draw_down.h"
#include "pictures/png_decoder.h"
#include "tests/pictures/bmp_builder.h"

namespace ormind {
namespace {

std::vector<uint8_t> ReadResource(const std::string& name) {
  std::ifstream in(std::string(ORMIND_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> AsBmp(const PixelImage& image) {
  testing::BmpLayout layout{image.width, image.height, 24, 0, false, 40, {}, {}, {}};
  const size_t padding = (4 - image.width * 3 % 4) % 4;
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.At(x, y);
      layout.pixelData.insert(layout.pixelData.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
    }
    layout.pixelData.insert(layout.pixelData.end(), padding, 0);
  }
  return testing::MakeBmp(layout);
}

void DecodePngFace(benchmark::State& state, const char* name) {
  const std::vector<uint8_t> png = ReadResource(name);
  for (auto _ : state) benchmark::DoNotOptimize(DecodePng(png).pixels.data());
  state.counters["file_KB"] = double(png.size()) / 1024;
}

void DecodeBmpFace(benchmark::State& state, const char* name) {
  const std::vector<uint8_t> bmp = AsBmp(DecodePng(ReadResource(name)));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeBmp(bmp).pixels.data());
  state.counters["file_KB"] = double(bmp.size()) / 1024;
}

void DrawDownFace(benchmark::State& state, int percent) {
  const std::vector<uint8_t> png = ReadResource("main_face_200.png");
  const int width = (600 * percent + 50) / 100, height = (383 * percent + 50) / 100;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DrawDown(DecodePng(png), width, height, 0xFFFFFF).pixels.data());
  }
}

BENCHMARK_CAPTURE(DecodeBmpFace, main_face_100, "main_face.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodePngFace, main_face_100, "main_face.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeBmpFace, main_face_200, "main_face_200.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodePngFace, main_face_200, "main_face_200.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawDownFace, main_face_125, 125)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawDownFace, main_face_150, 150)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ormind

BENCHMARK_MAIN();
