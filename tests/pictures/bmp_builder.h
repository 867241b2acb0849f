#pragma once
// Builds small BMP files in memory for the picture tests.
#include <cstdint>
#include <vector>

namespace ormind::testing {

struct BmpLayout {
  int width = 2;
  int height = 2;
  int bitCount = 24;
  uint32_t compression = 0;
  bool topDown = false;
  int headerSize = 40;                 // 12 for the old core header
  std::vector<uint32_t> palette;       // 0x00RRGGBB
  std::vector<uint32_t> masks;         // for bit fields
  std::vector<uint8_t> pixelData;      // rows as stored in the file
};

inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

inline std::vector<uint8_t> MakeBmp(const BmpLayout& s) {
  std::vector<uint8_t> info;
  if (s.headerSize == 12) {
    Put32(info, 12);
    Put16(info, s.width);
    Put16(info, s.height);
    Put16(info, 1);
    Put16(info, s.bitCount);
  } else {
    Put32(info, 40);
    Put32(info, static_cast<uint32_t>(s.width));
    Put32(info, static_cast<uint32_t>(s.topDown ? -s.height : s.height));
    Put16(info, 1);
    Put16(info, s.bitCount);
    Put32(info, s.compression);
    Put32(info, static_cast<uint32_t>(s.pixelData.size()));
    Put32(info, 2834);
    Put32(info, 2834);
    Put32(info, static_cast<uint32_t>(s.palette.size()));
    Put32(info, 0);
    for (uint32_t m : s.masks) Put32(info, m);
  }
  for (uint32_t c : s.palette) {
    info.push_back(c & 0xFF);
    info.push_back((c >> 8) & 0xFF);
    info.push_back((c >> 16) & 0xFF);
    if (s.headerSize != 12) info.push_back(0);
  }
  std::vector<uint8_t> file = {'B', 'M'};
  const uint32_t offset = 14 + static_cast<uint32_t>(info.size());
  Put32(file, offset + static_cast<uint32_t>(s.pixelData.size()));
  Put32(file, 0);
  Put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), s.pixelData.begin(), s.pixelData.end());
  return file;
}

}  // namespace ormind::testing
