#include "image_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "pictures/png_decoder.h"

namespace ormind::test {
namespace {

// Little-endian reads with bounds checks.
class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  std::uint32_t U8(size_t at) const { return Byte(at); }
  std::uint32_t U16(size_t at) const { return Byte(at) | Byte(at + 1) << 8; }
  std::uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::int32_t I32(size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  void Need(size_t end) const {
    if (end > bytes_.size()) throw std::runtime_error("file is cut short");
  }

 private:
  std::uint32_t Byte(size_t at) const {
    Need(at + 1);
    return bytes_[at];
  }
  const std::vector<std::uint8_t>& bytes_;
};

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, size_t at) {
  if (at + 4 > bytes.size()) throw std::runtime_error("file is cut short");
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
         std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

size_t RowStride(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ResourcePath(const std::string& relative) {
  return std::string(ORMIND_SOURCE_DIR) + "/resources/" + relative;
}

Bitmap ParseBitmap(const std::vector<std::uint8_t>& bytes) {
  const Reader in(bytes);
  if (in.U16(0) != 0x4D42) throw std::runtime_error("no BM signature");
  if (in.U32(2) != bytes.size()) throw std::runtime_error("file size field is wrong");
  const std::uint32_t offset = in.U32(10);
  if (in.U32(14) != 40) throw std::runtime_error("not a BITMAPINFOHEADER");
  Bitmap bmp;
  bmp.width = in.I32(18);
  const std::int32_t height = in.I32(22);
  if (bmp.width <= 0 || height <= 0) throw std::runtime_error("not a bottom-up bitmap");
  bmp.height = height;
  if (in.U16(26) != 1) throw std::runtime_error("planes must be 1");
  bmp.bits_per_pixel = static_cast<int>(in.U16(28));
  if (bmp.bits_per_pixel != 24 || in.U32(30) != 0)
    throw std::runtime_error("not an uncompressed 24-bit bitmap");
  bmp.x_pixels_per_metre = in.I32(38);
  bmp.y_pixels_per_metre = in.I32(42);
  const size_t stride = RowStride(bmp.width, 24);
  if (in.U32(34) != stride * bmp.height) throw std::runtime_error("image size field is wrong");
  in.Need(offset + stride * bmp.height);
  bmp.pixels.reserve(static_cast<size_t>(bmp.width) * bmp.height);
  for (int y = 0; y < bmp.height; ++y) {
    const size_t row = offset + stride * (bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      const size_t p = row + 3 * static_cast<size_t>(x);
      bmp.pixels.push_back({bytes[p + 2], bytes[p + 1], bytes[p]});
    }
  }
  return bmp;
}

PngInfo ParsePngInfo(const std::vector<std::uint8_t>& bytes) {
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 8 || !std::equal(std::begin(signature), std::end(signature), bytes.begin()))
    throw std::runtime_error("no PNG signature");
  PngInfo info;
  for (size_t at = 8; at + 8 <= bytes.size();) {
    const std::uint32_t length = BigEndian32(bytes, at);
    const std::string type(bytes.begin() + at + 4, bytes.begin() + at + 8);
    if (type == "IHDR") {
      info.width = static_cast<int>(BigEndian32(bytes, at + 8));
      info.height = static_cast<int>(BigEndian32(bytes, at + 12));
      info.bit_depth = bytes.at(at + 16);
      info.colour_type = bytes.at(at + 17);
    } else if (type == "pHYs" && length == 9 && bytes.at(at + 16) == 1) {
      info.x_pixels_per_metre = static_cast<std::int32_t>(BigEndian32(bytes, at + 8));
      info.y_pixels_per_metre = static_cast<std::int32_t>(BigEndian32(bytes, at + 12));
    }
    at += 12 + static_cast<size_t>(length);
  }
  return info;
}

Bitmap ToBitmap(const PixelImage& image) {
  Bitmap picture;
  picture.width = image.width;
  picture.height = image.height;
  for (const std::uint32_t p : image.pixels) {
    picture.pixels.push_back({static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                              static_cast<std::uint8_t>(p)});
  }
  return picture;
}

Bitmap DecodePngPicture(const std::vector<std::uint8_t>& bytes) {
  const PngInfo info = ParsePngInfo(bytes);
  Bitmap picture = ToBitmap(DecodePng(bytes));
  picture.bits_per_pixel = info.bit_depth * (info.colour_type == 6 ? 4 : 3);
  picture.x_pixels_per_metre = info.x_pixels_per_metre;
  picture.y_pixels_per_metre = info.y_pixels_per_metre;
  return picture;
}

namespace {

// A 32-bit icon image: BGRA rows bottom-up, then the AND mask.
void ReadTrueColourImage(const Reader& in, const std::vector<std::uint8_t>& bytes, size_t xor_at,
                         size_t end, IconImage& image) {
  const size_t and_at = xor_at + 4 * static_cast<size_t>(image.width) * image.height;
  const size_t and_stride = RowStride(image.width, 1);
  if (and_at + and_stride * image.height != end)
    throw std::runtime_error("icon image byte count does not match its parts");
  in.Need(end);
  for (int y = 0; y < image.height; ++y) {
    const size_t row = xor_at + 4 * static_cast<size_t>(image.width) * (image.height - 1 - y);
    const size_t mask_row = and_at + and_stride * (image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      const size_t p = row + 4 * static_cast<size_t>(x);
      image.colours.push_back({bytes[p + 2], bytes[p + 1], bytes[p]});
      image.alpha.push_back(bytes[p + 3]);
      image.mask.push_back((bytes[mask_row + x / 8] >> (7 - x % 8)) & 1);
    }
  }
}

// A PNG icon image, decoded by the program's reader: no alpha shows as white.
void ReadPngImage(const std::vector<std::uint8_t>& png, IconImage& image) {
  const PngInfo info = ParsePngInfo(png);
  if (info.width != image.width || info.height != image.height || info.colour_type != 6 ||
      info.bit_depth != 8)
    throw std::runtime_error("icon PNG image is not 8-bit RGBA of its directory size");
  image.png = true;
  image.bits_per_pixel = 32;
  const Bitmap decoded = DecodePngPicture(png);
  image.colours = decoded.pixels;
  for (const Rgb& c : image.colours) image.mask.push_back(c == kWhite);
}

}  // namespace

std::vector<IconImage> ParseIcon(const std::vector<std::uint8_t>& bytes) {
  const Reader in(bytes);
  if (in.U16(0) != 0 || in.U16(2) != 1) throw std::runtime_error("not an icon file");
  const int count = static_cast<int>(in.U16(4));
  std::vector<IconImage> images;
  for (int i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    IconImage image;
    image.width = in.U8(entry) ? static_cast<int>(in.U8(entry)) : 256;
    image.height = in.U8(entry + 1) ? static_cast<int>(in.U8(entry + 1)) : 256;
    image.directory_colour_count = static_cast<int>(in.U8(entry + 2));
    const std::uint32_t size = in.U32(entry + 8);
    const std::uint32_t at = in.U32(entry + 12);
    in.Need(static_cast<size_t>(at) + size);

    if (in.U32(at) == 0x474E5089) {  // "\x89PNG"
      ReadPngImage({bytes.begin() + at, bytes.begin() + at + size}, image);
      images.push_back(std::move(image));
      continue;
    }
    if (in.U32(at) != 40) throw std::runtime_error("icon image is not a BITMAPINFOHEADER");
    if (in.I32(at + 4) != image.width || in.I32(at + 8) != 2 * image.height)
      throw std::runtime_error("icon image size differs from its directory entry");
    image.bits_per_pixel = static_cast<int>(in.U16(at + 14));
    if (in.U16(at + 12) != 1 || in.U32(at + 16) != 0 ||
        static_cast<int>(in.U16(entry + 6)) != image.bits_per_pixel)
      throw std::runtime_error("icon image planes, compression or bit count is wrong");
    if (image.bits_per_pixel == 32) {
      ReadTrueColourImage(in, bytes, at + 40, static_cast<size_t>(at) + size, image);
      images.push_back(std::move(image));
      continue;
    }
    if (image.bits_per_pixel != 4 && image.bits_per_pixel != 8)
      throw std::runtime_error("icon image is not a palette or 32-bit image");
    const size_t colours = in.U32(at + 32) ? in.U32(at + 32) : size_t{1} << image.bits_per_pixel;
    const size_t table = at + 40;
    const size_t xor_at = table + 4 * colours;
    const size_t xor_stride = RowStride(image.width, image.bits_per_pixel);
    const size_t and_at = xor_at + xor_stride * image.height;
    const size_t and_stride = RowStride(image.width, 1);
    if (and_at + and_stride * image.height != static_cast<size_t>(at) + size)
      throw std::runtime_error("icon image byte count does not match its parts");

    for (size_t c = 0; c < colours; ++c) {
      const size_t p = table + 4 * c;
      image.palette.push_back({bytes[p + 2], bytes[p + 1], bytes[p]});
    }
    for (int y = 0; y < image.height; ++y) {
      const size_t row = xor_at + xor_stride * (image.height - 1 - y);
      const size_t mask_row = and_at + and_stride * (image.height - 1 - y);
      for (int x = 0; x < image.width; ++x) {
        std::uint8_t index = bytes[row + (image.bits_per_pixel == 8 ? x : x / 2)];
        if (image.bits_per_pixel == 4) index = (x % 2 == 0) ? index >> 4 : index & 15;
        if (index >= image.palette.size()) throw std::runtime_error("colour index past palette");
        image.colours.push_back(image.palette[index]);
        image.mask.push_back((bytes[mask_row + x / 8] >> (7 - x % 8)) & 1);
      }
    }
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace ormind::test
