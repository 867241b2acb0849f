#pragma once
// A full A4 page holding a photograph as a 24-bit bitmap, the largest kind of page picture.
#include <cstdint>
#include <string>
#include <vector>

namespace ormind::bench {

struct PhotoPage {
  std::vector<uint8_t> emf;
  std::string source;  // where the photograph came from
};

// An A4 page at `dotsPerInch` covered by one bitmap. The photograph is read from the JPEG file
// named by ORMIND_BENCH_PHOTO (or a photograph Debian installs with Inkscape) and tiled,
// mirrored, to fill the page at its own resolution; without one a synthetic picture is used.
PhotoPage MakePhotoPage(int dotsPerInch);

}  // namespace ormind::bench
