#include "pictures/png_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"
#include "tests/pictures/png_builder.h"

namespace ormind {
namespace {

using testing::Deflate;
using testing::FilteredRows;
using testing::HeaderBody;
using testing::MakePng;
using testing::PngChunk;
using testing::PngChunks;
using testing::PngHeader;
using testing::WritePng;

std::vector<uint32_t> RandomPixels(int count, bool alpha, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> pixels(count);
  for (uint32_t& p : pixels) p = alpha ? static_cast<uint32_t>(random()) : random() & 0xFFFFFF;
  return pixels;
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const PictureError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(DecodePng, UndoesEveryRowFilter) {
  const struct {
    const char* name;
    std::vector<uint8_t> filters;
  } cases[] = {
      {"none", {0}}, {"Sub", {1}}, {"Up", {2}}, {"Average", {3}}, {"Paeth", {4}},
      {"a different filter on each row", {4, 0, 3, 1, 2}},
  };
  for (const bool alpha : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (alpha ? ", RGBA" : ", RGB"));
      const int width = 7, height = 6;
      // Opaque pixels, so that what comes out is exactly what went in.
      std::vector<uint32_t> pixels = RandomPixels(width * height, false, 7);
      std::vector<uint32_t> stored = pixels;
      if (alpha) {
        for (uint32_t& p : stored) p |= 0xFF000000u;
      }
      const PixelImage image = DecodePng(MakePng(width, height, stored, alpha, c.filters));
      EXPECT_EQ(image.width, width);
      EXPECT_EQ(image.height, height);
      EXPECT_FALSE(image.monochrome);
      EXPECT_EQ(image.pixels, pixels);
    }
  }
}

TEST(DecodePng, LaysPixelsWithAlphaOverWhite) {
  const std::vector<uint32_t> stored = {0xFF102030, 0x00102030, 0x80000000, 0x80FF0000};
  const PixelImage image = DecodePng(MakePng(2, 2, stored, true, {4}));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x102030, 0xFFFFFF, 0x7F7F7F, 0xFF7F7F}));
}

TEST(DecodePng, ReadsTheDataSplitIntoChunksAndSkipsAncillaryOnes) {
  const int width = 5, height = 4;
  const std::vector<uint32_t> pixels = RandomPixels(width * height, false, 3);
  std::vector<PngChunk> chunks = PngChunks(width, height, pixels, false, {2});
  const std::vector<uint8_t> stream = chunks[1].body;
  std::vector<PngChunk> split = {chunks[0],
                                 {"pHYs", {0, 0, 0x2E, 0x20, 0, 0, 0x2E, 0x20, 1}},
                                 {"PLTE", {1, 2, 3, 4, 5, 6}},  // a suggested palette
                                 {"IDAT", {}}};
  for (uint8_t byte : stream) split.push_back({"IDAT", {byte}});
  split.push_back({"tEXt", {'a', 0, 'b'}});
  split.push_back({"IEND", {}});
  EXPECT_EQ(DecodePng(WritePng(split)).pixels, pixels);
}

TEST(DecodePng, RefusesOtherKindsOfPng) {
  auto withHeader = [](PngHeader header) {
    // Data for one row of up to eight bytes, so only the header decides.
    const std::vector<uint8_t> row(9 * header.height, 0);
    return WritePng({{"IHDR", HeaderBody(header)}, {"IDAT", Deflate(row)}, {"IEND", {}}});
  };
  const struct {
    const char* name;
    PngHeader header;
    const char* message;
  } cases[] = {
      {"grey", {1, 1, 8, 0}, "PNG image not supported: a grey picture"},
      {"grey with alpha", {1, 1, 8, 4}, "PNG image not supported: a grey picture"},
      {"palette", {1, 1, 8, 3}, "PNG image not supported: a palette picture"},
      {"16-bit RGB", {1, 1, 16, 2}, "PNG image not supported: 16 bits per sample"},
      {"16-bit RGBA", {1, 1, 16, 6}, "PNG image not supported: 16 bits per sample"},
      {"interlaced", {1, 1, 8, 2, 0, 0, 1}, "PNG image not supported: an interlaced picture"},
      {"RGB at 4 bits", {1, 1, 4, 2}, "PNG image is not valid: an impossible colour type"},
      {"colour type 5", {1, 1, 8, 5}, "PNG image is not valid: an impossible colour type"},
      {"compression 1", {1, 1, 8, 2, 1}, "PNG image is not valid: unknown compression"},
      {"filter method 1", {1, 1, 8, 2, 0, 1}, "PNG image is not valid: unknown compression"},
      {"interlace 2", {1, 1, 8, 2, 0, 0, 2}, "PNG image is not valid: unknown compression"},
      {"no width", {0, 1}, "PNG image is not valid: the picture has no size"},
      {"no height", {1, 0}, "PNG image is not valid: the picture has no size"},
      {"width past 2^31", {0x80000000u, 1}, "PNG image is not valid: the picture has no size"},
      {"over the pixel limit", {8193, 8192}, "PNG image is not valid: the picture is too large"},
  };
  for (const auto& c : cases) {
    const std::string message = MessageOf([&] { DecodePng(withHeader(c.header)); });
    EXPECT_EQ(message.rfind(c.message, 0), 0u) << c.name << ": " << message;
  }
}

// A valid 3 x 2 RGB file's chunks, to damage one way per case.
std::vector<PngChunk> Valid() { return PngChunks(3, 2, RandomPixels(6, false, 1), false, {1}); }

TEST(DecodePng, RefusesDamagedFiles) {
  const auto valid = Valid();
  const auto& ihdr = valid[0];
  const auto& idat = valid[1];
  const PngChunk iend = valid[2];
  auto rows = [](int height, int rowBytes = 10) {
    return Deflate(std::vector<uint8_t>(static_cast<size_t>(height) * rowBytes, 0));
  };
  auto damaged = [](std::vector<uint8_t> bytes, size_t at) {
    bytes[at] ^= 0x55;
    return bytes;
  };
  std::vector<uint8_t> withDictionary = idat.body;
  // The FDICT flag, with the header's check bits made right again.
  withDictionary[1] = static_cast<uint8_t>((withDictionary[1] & 0xE0) | 0x20);
  withDictionary[1] |= static_cast<uint8_t>((31 - (withDictionary[0] * 256 + withDictionary[1]) % 31) % 31);
  std::vector<uint8_t> cutStream(idat.body.begin(), idat.body.end() - 6);
  std::vector<uint8_t> trailing = idat.body;
  trailing.push_back(0);
  const struct {
    const char* name;
    std::vector<PngChunk> chunks;
    const char* message;
  } cases[] = {
      {"wrong CRC in the header", {{ihdr.type, ihdr.body, true}, idat, iend}, "wrong checksum in chunk IHDR"},
      {"wrong CRC in the data", {ihdr, {idat.type, idat.body, true}, iend}, "wrong checksum in chunk IDAT"},
      {"wrong CRC in an ancillary chunk", {ihdr, {"tEXt", {'a', 0}, true}, idat, iend}, "wrong checksum in chunk tEXt"},
      {"header not first", {{"tEXt", {'a', 0}}, ihdr, idat, iend}, "the header chunk does not come first"},
      {"header too short", {{"IHDR", {0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0}}, idat, iend}, "the header chunk has the wrong length"},
      {"second header", {ihdr, ihdr, idat, iend}, "a second header chunk"},
      {"no image data", {ihdr, iend}, "no image data"},
      {"no end chunk", {ihdr, idat}, "no end chunk"},
      {"end chunk not empty", {ihdr, idat, {"IEND", {0}}}, "the end chunk is not empty"},
      {"a chunk after the end", {ihdr, idat, iend, {"tEXt", {'a', 0}}}, "data after the end chunk"},
      {"data chunks apart", {ihdr, {"IDAT", {idat.body.begin(), idat.body.begin() + 4}}, {"tEXt", {'a', 0}},
                             {"IDAT", {idat.body.begin() + 4, idat.body.end()}}, iend},
       "the image data chunks are not consecutive"},
      {"palette after the data", {ihdr, idat, {"PLTE", {1, 2, 3}}, iend}, "the palette chunk is out of place"},
      {"palette twice", {ihdr, {"PLTE", {1, 2, 3}}, {"PLTE", {1, 2, 3}}, idat, iend}, "the palette chunk is out of place"},
      {"palette of 4 bytes", {ihdr, {"PLTE", {1, 2, 3, 4}}, idat, iend}, "the palette chunk has the wrong length"},
      {"chunk name with a digit", {ihdr, {"tEX1", {}}, idat, iend}, "a chunk has no proper name"},
      {"damaged compressed data", {ihdr, {"IDAT", damaged(idat.body, 0)}, iend}, "the compressed image data is damaged"},
      {"preset dictionary", {ihdr, {"IDAT", withDictionary}, iend}, "the compressed image data is damaged"},
      {"stream cut short", {ihdr, {"IDAT", cutStream}, iend}, "the compressed image data ends early"},
      {"one row short", {ihdr, {"IDAT", rows(1)}, iend}, "less image data than the header says"},
      {"one row too many", {ihdr, {"IDAT", rows(3)}, iend}, "more image data than the header says"},
      {"one byte too many", {ihdr, {"IDAT", Deflate(std::vector<uint8_t>(21, 0))}, iend}, "more image data than the header says"},
      {"bytes after the stream", {ihdr, {"IDAT", trailing}, iend}, "data after the compressed image data"},
      {"data chunk after the stream", {ihdr, idat, {"IDAT", {0}}, iend}, "data after the compressed image data"},
      {"unknown row filter", {ihdr, {"IDAT", Deflate(std::vector<uint8_t>{5, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0})}, iend},
       "an unknown row filter"},
      {"a large picture from a few bytes",
       {{"IHDR", HeaderBody({8000, 8000})}, {"IDAT", rows(1)}, iend},
       "too little compressed data for the picture's size"},
  };
  for (const auto& c : cases) {
    const std::string message = MessageOf([&] { DecodePng(WritePng(c.chunks)); });
    EXPECT_EQ(message, std::string("PNG image is not valid: ") + c.message)
        << c.name << "\n  got: " << message;
  }
  // The unsupported critical chunk says so in its own words.
  EXPECT_EQ(MessageOf([&] { DecodePng(WritePng({ihdr, {"QUUX", {}}, idat, iend})); }).rfind(
                "PNG image not supported: the chunk QUUX", 0),
            0u);
}

TEST(DecodePng, ReadsTheWindowFacesAndAButtonAsRenderArtWritesThem) {
  auto read = [](const std::string& name) {
    std::ifstream in(std::string(ORMIND_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  };
  const struct {
    const char* name;
    int width, height;
  } cases[] = {{"main_face.png", 600, 383},      {"main_face_200.png", 1200, 766},
               {"editor_face_200.png", 892, 672}, {"buttons/next_day.png", 32, 32},
               {"buttons/next_day_125.png", 40, 40}};
  for (const auto& c : cases) {
    const PixelImage image = DecodePng(read(c.name));
    EXPECT_EQ(image.width, c.width) << c.name;
    EXPECT_EQ(image.height, c.height) << c.name;
    EXPECT_EQ(AutomaticTransparentColor(image), c.width == c.height ? 0u : kWhite) << c.name;
  }
}

TEST(DecodePng, RefusesEveryTruncationAndABadSignature) {
  const std::vector<uint8_t> file = WritePng(Valid());
  ASSERT_EQ(DecodePng(file).width, 3);
  for (size_t size = 0; size < file.size(); ++size) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + size);
    EXPECT_THROW(DecodePng(cut), PictureError) << size << " bytes";
  }
  std::vector<uint8_t> lengthPastEnd = file;
  lengthPastEnd[8] = 0x7F;  // the header's length
  EXPECT_EQ(MessageOf([&] { DecodePng(lengthPastEnd); }), "PNG image is not valid: a chunk is cut short");
  std::vector<uint8_t> noSignature = file;
  noSignature[1] = 'p';
  EXPECT_EQ(MessageOf([&] { DecodePng(noSignature); }), "PNG image is not valid: no PNG signature");
}

}  // namespace
}  // namespace ormind
