// Damaged pictures: many random mutations of valid files. Each must decode or raise
// PictureError; the sanitizers of the native build catch any read outside the input.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "pictures/bmp_decoder.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/picture_error.h"
#include "pictures/png_decoder.h"
#include "pictures/stored_picture.h"
#include "tests/pictures/bmp_builder.h"
#include "tests/pictures/jpeg_builder.h"

namespace ormind {
namespace {

std::vector<uint8_t> ReadResource(const std::string& name) {
  const std::string path = std::string(ORMIND_SOURCE_DIR) + "/resources/" + name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Flips, overwrites, truncates or extends a few bytes, favouring the headers.
std::vector<uint8_t> Mutate(std::vector<uint8_t> bytes, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 3), count(1, 4), value(0, 255);
  const int changes = count(random);
  for (int i = 0; i < changes && !bytes.empty(); ++i) {
    const size_t limit = random() % 2 ? std::min<size_t>(bytes.size(), 80) : bytes.size();
    const size_t at = random() % limit;
    switch (kind(random)) {
      case 0: bytes[at] ^= static_cast<uint8_t>(1 << (random() % 8)); break;
      case 1: bytes[at] = static_cast<uint8_t>(value(random)); break;
      case 2: bytes.resize(at); break;
      default: bytes.insert(bytes.begin() + at, static_cast<uint8_t>(value(random))); break;
    }
  }
  return bytes;
}

template <typename Decode>
void SurvivesMutations(const std::vector<uint8_t>& valid, Decode decode, int rounds) {
  // Input that is missing or already broken would be rejected on every round, and the check
  // below would hold without a single mutation reaching the reader.
  ASSERT_FALSE(valid.empty()) << "no input to mutate";
  ASSERT_NO_THROW(decode(valid)) << "the unmutated input must decode";
  std::mt19937 random(12345);
  int rejected = 0;
  for (int i = 0; i < rounds; ++i) {
    const std::vector<uint8_t> bytes = Mutate(valid, random);
    try {
      decode(bytes);
    } catch (const PictureError&) {
      ++rejected;
    }
  }
  EXPECT_GT(rejected, 0);  // the mutations do reach the checks
}

TEST(PictureMutations, BmpReaderRejectsOrReadsEveryDamagedFile) {
  // Few rounds: a damaged header can ask for a picture of many megapixels, which takes time.
  testing::BmpLayout button{32, 32, 24, 0, false, 40, {}, {}, {}};
  for (int i = 0; i < 32 * 32 * 3; ++i) button.pixelData.push_back(static_cast<uint8_t>(i * 7));
  SurvivesMutations(testing::MakeBmp(button), [](auto& b) { DecodeBmp(b); }, 1000);
  const std::vector<uint8_t> paletted = testing::MakeBmp(
      {3, 3, 8, 1, false, 40, {0xFF0000, 0x00FF00, 0x0000FF}, {}, {3, 1, 0, 0, 0, 3, 2, 0, 0, 2, 1, 2, 0, 1}});
  SurvivesMutations(paletted, [](auto& b) { DecodeBmp(b); }, 400);
}

TEST(PictureMutations, JpegReaderRejectsOrReadsEveryDamagedFile) {
  SurvivesMutations(testing::EncodeJpeg(24, 16, 10, 200, 30), [](auto& b) { DecodeJpeg(b); }, 1500);
}

TEST(PictureMutations, PngReaderRejectsOrReadsEveryDamagedFile) {
  SurvivesMutations(ReadResource("buttons/close.png"), [](auto& b) { DecodePng(b); }, 2000);
}

TEST(PictureMutations, StoredPictureRejectsOrSplitsEveryDamagedInput) {
  const std::vector<uint8_t> stored = MakeStoredPicture("TPngImage", ReadResource("buttons/close.png"));
  SurvivesMutations(
      stored, [](auto& b) { DecodePng(ReadCountedBytes(SplitStoredPicture(b).data)); }, 1000);
}

}  // namespace
}  // namespace ormind
