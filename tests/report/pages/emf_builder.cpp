#include "tests/report/pages/emf_builder.h"

#include <cmath>

#include "report/pages/bytes.h"

namespace ormind::testing {
namespace {

constexpr uint32_t kEmrHeader = 1, kEmrEof = 14, kEmrSelectObject = 37,
                   kEmrCreateBrushIndirect = 39, kEmrDeleteObject = 40, kEmrRectangle = 43,
                   kEmrGdiComment = 70, kEmrStretchDiBits = 81;

int32_t Pixels(int32_t hundredths) { return int32_t(std::lround(hundredths * 96.0 / 2540.0)); }

void Append32(std::vector<uint8_t>& out, uint32_t v) {
  const size_t at = out.size();
  out.resize(at + 4);
  PutU32(&out[at], v);
}

}  // namespace

EmfBuilder::EmfBuilder(int32_t frameWidth, int32_t frameHeight)
    : fFrameWidth(frameWidth), fFrameHeight(frameHeight) {}

void EmfBuilder::Record(uint32_t type, const std::vector<uint32_t>& words) {
  Append32(fRecords, type);
  Append32(fRecords, uint32_t(8 + 4 * words.size()));
  for (uint32_t w : words) Append32(fRecords, w);
  ++fRecordCount;
}

void EmfBuilder::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           uint32_t colour) {
  Record(kEmrCreateBrushIndirect, {1, 0 /*BS_SOLID*/, colour, 0});
  Record(kEmrSelectObject, {1});
  Record(kEmrRectangle, {uint32_t(left), uint32_t(top), uint32_t(right), uint32_t(bottom)});
  Record(kEmrSelectObject, {0x80000000u | 4 /*BLACK_BRUSH: stock objects leave ours free*/});
  Record(kEmrDeleteObject, {1});
}

void EmfBuilder::Bitmap(int32_t left, int32_t top, int32_t width, int32_t height,
                        int32_t bitmapWidth, int32_t bitmapHeight,
                        const std::vector<uint8_t>& rows) {
  const uint32_t fixed = 80, info = 40;
  const uint32_t bits = uint32_t(BitmapBytes(bitmapWidth, bitmapHeight));
  const uint32_t size = fixed + info + bits;
  Append32(fRecords, kEmrStretchDiBits);
  Append32(fRecords, size);
  for (int32_t v : {left, top, left + width - 1, top + height - 1}) Append32(fRecords, v);
  for (int32_t v : {left, top, 0, 0, bitmapWidth, bitmapHeight}) Append32(fRecords, v);
  for (uint32_t v : {fixed, info, fixed + info, bits, 0u /*DIB_RGB_COLORS*/,
                     0x00CC0020u /*SRCCOPY*/})
    Append32(fRecords, v);
  Append32(fRecords, uint32_t(width));
  Append32(fRecords, uint32_t(height));
  // BITMAPINFOHEADER
  for (uint32_t v : {info, uint32_t(bitmapWidth), uint32_t(bitmapHeight)}) Append32(fRecords, v);
  Append32(fRecords, 1u | (24u << 16));  // planes, bit count
  for (uint32_t v : {0u /*BI_RGB*/, bits, 3780u, 3780u, 0u, 0u}) Append32(fRecords, v);
  fRecords.insert(fRecords.end(), rows.begin(), rows.begin() + bits);
  ++fRecordCount;
}

void EmfBuilder::Comment(uint32_t size, uint32_t seed) {
  const uint32_t padded = (size + 3) & ~3u;
  Append32(fRecords, kEmrGdiComment);
  Append32(fRecords, 12 + padded);
  Append32(fRecords, size);
  uint32_t x = seed * 2654435761u + 1;
  for (uint32_t i = 0; i < padded; ++i) {
    x = x * 1103515245u + 12345u;
    // Mostly small values, as in drawing records, with some spread.
    fRecords.push_back(i < size ? uint8_t((x >> 16) % ((x >> 28) == 0 ? 256 : 8)) : 0);
  }
  ++fRecordCount;
}

std::vector<uint8_t> EmfBuilder::Finish() {
  const uint32_t headerSize = 108, eofSize = 20;
  std::vector<uint8_t> out;
  const int32_t widthPx = Pixels(fFrameWidth), heightPx = Pixels(fFrameHeight);
  for (uint32_t v : {kEmrHeader, headerSize, 0u, 0u, uint32_t(widthPx - 1),
                     uint32_t(heightPx - 1), 0u, 0u, uint32_t(fFrameWidth),
                     uint32_t(fFrameHeight), 0x464D4520u, 0x10000u,
                     uint32_t(headerSize + fRecords.size() + eofSize), fRecordCount + 2,
                     2u /*handles*/, 0u, 0u, 0u, uint32_t(widthPx), uint32_t(heightPx),
                     uint32_t(fFrameWidth / 100), uint32_t(fFrameHeight / 100), 0u, 0u, 0u,
                     uint32_t(fFrameWidth * 10), uint32_t(fFrameHeight * 10)})
    Append32(out, v);
  out.insert(out.end(), fRecords.begin(), fRecords.end());
  for (uint32_t v : {kEmrEof, eofSize, 0u, 16u, eofSize}) Append32(out, v);
  return out;
}

std::vector<uint8_t> MakeTestEmf(int32_t frameWidth, int32_t frameHeight, uint32_t padding,
                                 uint32_t seed) {
  EmfBuilder emf(frameWidth, frameHeight);
  emf.Rectangle(10 + int32_t(seed % 50), 20, 300, 200, 0x00336699u + seed);
  emf.Rectangle(100, 300, 400, 500 + int32_t(seed % 100), 0x00996633u);
  if (padding > 0) emf.Comment(padding, seed);
  return emf.Finish();
}

}  // namespace ormind::testing
