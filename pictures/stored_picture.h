#pragma once
// The stored form of a picture inside a window's layout: one byte n, n ASCII characters naming
// the graphic class ("TBitmap", "TJPEGImage", "TPngImage"), then the class's own data. Each of
// these keeps its data as a 32-bit little-endian byte count followed by the file's bytes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ormind {

struct StoredPicture {
  std::string className;
  std::span<const uint8_t> data;  // the class's own data, borrowed from the input
};

// Throws PictureError when the class name runs past the end.
StoredPicture SplitStoredPicture(std::span<const uint8_t> bytes);

// The file bytes behind a 32-bit little-endian byte count; throws PictureError when the count
// or the bytes it announces run past the end.
std::span<const uint8_t> ReadCountedBytes(std::span<const uint8_t> data);

// The stored form of a file of the given class (used when the resources are built).
std::vector<uint8_t> MakeStoredPicture(std::string_view className, std::span<const uint8_t> file);

}  // namespace ormind
