#include "pictures/stored_picture.h"

#include "pictures/picture_error.h"

namespace ormind {
namespace {
const char kTruncated[] = "Stream read error";
}

StoredPicture SplitStoredPicture(std::span<const uint8_t> bytes) {
  if (bytes.empty()) throw PictureError(kTruncated);
  const size_t length = bytes[0];
  if (bytes.size() < 1 + length) throw PictureError(kTruncated);
  StoredPicture picture;
  picture.className.assign(reinterpret_cast<const char*>(bytes.data() + 1), length);
  picture.data = bytes.subspan(1 + length);
  return picture;
}

std::span<const uint8_t> ReadCountedBytes(std::span<const uint8_t> data) {
  if (data.size() < 4) throw PictureError(kTruncated);
  const uint32_t count = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                         uint32_t{data[3]} << 24;
  if (data.size() - 4 < count) throw PictureError(kTruncated);
  return data.subspan(4, count);
}

std::vector<uint8_t> MakeStoredPicture(std::string_view className, std::span<const uint8_t> file) {
  if (className.size() > 255) throw PictureError("Class name too long: " + std::string(className));
  if (file.size() > UINT32_MAX) throw PictureError("Picture too large to store");
  std::vector<uint8_t> out;
  out.reserve(1 + className.size() + 4 + file.size());
  out.push_back(static_cast<uint8_t>(className.size()));
  out.insert(out.end(), className.begin(), className.end());
  const auto count = static_cast<uint32_t>(file.size());
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(count >> shift));
  out.insert(out.end(), file.begin(), file.end());
  return out;
}

}  // namespace ormind
