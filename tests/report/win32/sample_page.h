#pragma once
// An A4 page recorded through GDI as the page printer records pages: text, filled shapes and
// a bitmap, returned as the metafile's bytes.
#include <cstdint>
#include <vector>

namespace ormind::testing {

// Probe points of the sample page in 96-dpi page pixels, with the colour (0x00BBGGRR) drawn
// there.
struct SampleProbe {
  int x, y;
  uint32_t colour;
};
extern const SampleProbe kSampleProbes[];
extern const int kSampleProbeCount;

std::vector<uint8_t> RecordSamplePage();

}  // namespace ormind::testing
