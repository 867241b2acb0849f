#include "pictures/png_decoder.h"

#include <zlib.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/bmp_decoder.h"
#include "pictures/picture_error.h"

namespace ormind {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Deflate never expands more than about 1032 to 1: a header asking for more pixels than the
// compressed data can hold is refused before anything is allocated for them.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1024;

[[noreturn]] void Invalid(std::string_view why) {
  throw PictureError("PNG image is not valid: " + std::string(why));
}
[[noreturn]] void Unsupported(std::string_view what) {
  throw PictureError("PNG image not supported: " + std::string(what) +
                     " (only 8-bit RGB and RGBA without interlacing are read)");
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

struct Chunk {
  std::string_view type;
  std::span<const uint8_t> body;
  bool Critical() const { return type[0] >= 'A' && type[0] <= 'Z'; }
};

bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Walks the chunks after the signature, checking each one's length, name and CRC.
class ChunkReader {
 public:
  explicit ChunkReader(std::span<const uint8_t> file) : file_(file) {}
  bool AtEnd() const { return at_ == file_.size(); }

  Chunk Next() {
    if (file_.size() - at_ < 12) Invalid("a chunk is cut short");
    const uint8_t* start = file_.data() + at_;
    const uint32_t length = BigEndian32(start);
    if (length > 0x7FFFFFFFu || length > file_.size() - at_ - 12) Invalid("a chunk is cut short");
    for (int i = 4; i < 8; ++i) {
      if (!IsLetter(start[i])) Invalid("a chunk has no proper name");
    }
    const uint32_t crc = static_cast<uint32_t>(crc32(0, start + 4, 4 + length));
    const std::string_view type(reinterpret_cast<const char*>(start + 4), 4);
    if (crc != BigEndian32(start + 8 + length)) Invalid("wrong checksum in chunk " + std::string(type));
    at_ += 12 + size_t{length};
    return {type, std::span<const uint8_t>(start + 8, length)};
  }

 private:
  std::span<const uint8_t> file_;
  size_t at_ = sizeof kSignature;
};

struct Header {
  int width = 0;
  int height = 0;
  int channels = 0;  // 3 for RGB, 4 for RGBA

  size_t RowBytes() const { return static_cast<size_t>(width) * channels; }
  // The inflated image data: each row is a filter byte and the row's samples.
  size_t DataBytes() const { return (RowBytes() + 1) * static_cast<size_t>(height); }
};

// The bit depths the format allows for each colour type (0 grey, 2 RGB, 3 palette, 4 grey
// with alpha, 6 RGBA).
bool IsAllowedDepth(uint8_t colourType, uint8_t depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

Header ReadHeader(const Chunk& chunk) {
  if (chunk.type != "IHDR") Invalid("the header chunk does not come first");
  if (chunk.body.size() != 13) Invalid("the header chunk has the wrong length");
  const uint8_t* b = chunk.body.data();
  const uint32_t width = BigEndian32(b), height = BigEndian32(b + 4);
  const uint8_t depth = b[8], colourType = b[9], compression = b[10], filter = b[11],
                interlace = b[12];
  if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) {
    Invalid("the picture has no size");
  }
  if (uint64_t{width} * height > static_cast<uint64_t>(kMaxPicturePixels)) {
    Invalid("the picture is too large");
  }
  if (compression != 0 || filter != 0 || interlace > 1) Invalid("unknown compression, filter or interlace method");
  if (!IsAllowedDepth(colourType, depth)) Invalid("an impossible colour type and bit depth");
  if (colourType == 0 || colourType == 4) Unsupported("a grey picture");
  if (colourType == 3) Unsupported("a palette picture");
  if (depth != 8) Unsupported("16 bits per sample");
  if (interlace != 0) Unsupported("an interlaced picture");
  return {static_cast<int>(width), static_cast<int>(height), colourType == 6 ? 4 : 3};
}

// The parts of the file the pixels come from: the header and the image data chunks, read in
// one pass that checks the chunks' order.
struct Layout {
  Header header;
  std::vector<std::span<const uint8_t>> data;
  uint64_t dataBytes = 0;
};

Layout ReadLayout(std::span<const uint8_t> file) {
  if (file.size() < sizeof kSignature || std::memcmp(file.data(), kSignature, sizeof kSignature) != 0) {
    Invalid("no PNG signature");
  }
  ChunkReader chunks(file);
  Layout layout;
  layout.header = ReadHeader(chunks.Next());
  bool palette = false, dataEnded = false;
  while (!chunks.AtEnd()) {
    const Chunk chunk = chunks.Next();
    if (chunk.type == "IEND") {
      if (!chunk.body.empty()) Invalid("the end chunk is not empty");
      if (layout.data.empty()) Invalid("no image data");
      if (!chunks.AtEnd()) Invalid("data after the end chunk");
      return layout;
    }
    const bool isData = chunk.type == "IDAT";
    if (isData && dataEnded) Invalid("the image data chunks are not consecutive");
    if (!isData && !layout.data.empty()) dataEnded = true;
    if (isData) {
      layout.data.push_back(chunk.body);
      layout.dataBytes += chunk.body.size();
    } else if (chunk.type == "IHDR") {
      Invalid("a second header chunk");
    } else if (chunk.type == "PLTE") {
      // A suggested palette for a true-colour picture: allowed once, before the image data.
      if (palette || !layout.data.empty()) Invalid("the palette chunk is out of place");
      if (chunk.body.empty() || chunk.body.size() % 3 != 0 || chunk.body.size() > 768) {
        Invalid("the palette chunk has the wrong length");
      }
      palette = true;
    } else if (chunk.Critical()) {
      Unsupported("the chunk " + std::string(chunk.type));
    }
    // Ancillary chunks (resolution, colour space, text) do not change the pixels.
  }
  Invalid("no end chunk");
}

// zlib's inflater, ended on every way out.
class Inflater {
 public:
  Inflater() {
    if (inflateInit(&stream_) != Z_OK) throw PictureError("PNG image: out of memory");
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates the chunks into exactly `out`: the compressed stream must end exactly when
  // `out` is full, and nothing may follow it.
  void InflateInto(const std::vector<std::span<const uint8_t>>& chunks, std::span<uint8_t> out) {
    stream_.next_out = out.data();
    stream_.avail_out = static_cast<uInt>(out.size());
    bool ended = false;
    for (const auto& chunk : chunks) {
      if (chunk.empty()) continue;
      if (ended) Invalid("data after the compressed image data");
      stream_.next_in = const_cast<Bytef*>(chunk.data());
      stream_.avail_in = static_cast<uInt>(chunk.size());
      // One call runs until the chunk is used up, the output is full or the stream ends;
      // the stream's end is read even when the output is already full.
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result == Z_NEED_DICT || result == Z_DATA_ERROR) Invalid("the compressed image data is damaged");
      if (result == Z_MEM_ERROR) throw PictureError("PNG image: out of memory");
      ended = result == Z_STREAM_END;
      if (stream_.avail_in > 0) {
        Invalid(ended ? "data after the compressed image data" : "more image data than the header says");
      }
    }
    if (!ended) Invalid("the compressed image data ends early");
    if (stream_.avail_out != 0) Invalid("less image data than the header says");
  }

 private:
  z_stream stream_{};
};

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes the row filters in place: `row` follows its filter byte, `above` is the previous
// row's samples (zeros for the first).
void Unfilter(uint8_t filter, uint8_t* row, const uint8_t* above, size_t bytes, int bpp) {
  switch (filter) {
    case 0:
      return;
    case 1:
      for (size_t i = bpp; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
      return;
    case 2:
      for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + above[i]);
      return;
    case 3:
      for (size_t i = 0; i < static_cast<size_t>(bpp); ++i) row[i] = static_cast<uint8_t>(row[i] + (above[i] >> 1));
      for (size_t i = bpp; i < bytes; ++i) {
        row[i] = static_cast<uint8_t>(row[i] + ((row[i - bpp] + above[i]) >> 1));
      }
      return;
    case 4:
      for (size_t i = 0; i < static_cast<size_t>(bpp); ++i) row[i] = static_cast<uint8_t>(row[i] + above[i]);
      for (size_t i = bpp; i < bytes; ++i) {
        row[i] = static_cast<uint8_t>(row[i] + Paeth(row[i - bpp], above[i], above[i - bpp]));
      }
      return;
    default:
      Invalid("an unknown row filter");
  }
}

}  // namespace

PixelImage DecodePng(std::span<const uint8_t> file) {
  const Layout layout = ReadLayout(file);
  const Header& h = layout.header;
  if (h.DataBytes() > layout.dataBytes * kMaxInflateRatio + kInflateSlack) {
    Invalid("too little compressed data for the picture's size");
  }
  std::vector<uint8_t> data(h.DataBytes());
  Inflater().InflateInto(layout.data, data);

  PixelImage image;
  image.width = h.width;
  image.height = h.height;
  image.pixels.resize(static_cast<size_t>(h.width) * h.height);
  const size_t rowBytes = h.RowBytes();
  const std::vector<uint8_t> zeros(rowBytes, 0);
  const uint8_t* above = zeros.data();
  for (int y = 0; y < h.height; ++y) {
    uint8_t* line = data.data() + (rowBytes + 1) * y;
    uint8_t* row = line + 1;
    Unfilter(line[0], row, above, rowBytes, h.channels);
    uint32_t* out = image.pixels.data() + static_cast<size_t>(y) * h.width;
    if (h.channels == 3) {
      for (int x = 0; x < h.width; ++x, row += 3) {
        out[x] = uint32_t{row[0]} << 16 | uint32_t{row[1]} << 8 | row[2];
      }
    } else {
      for (int x = 0; x < h.width; ++x, row += 4) {
        out[x] = OverWhite(uint32_t{row[3]} << 24 | uint32_t{row[0]} << 16 |
                           uint32_t{row[1]} << 8 | row[2]);
      }
    }
    above = line + 1;
  }
  return image;
}

}  // namespace ormind
