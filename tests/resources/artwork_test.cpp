// Checks the committed artwork against the rules the windows rely on, at every display scale
// (the faces between 100 and 200 % as the program draws them down from the 200 % face):
// pure white is the see-through colour of both skinned windows (so it appears only where the
// window is cut out, hard-edged), button corners are pure black (their transparent colour),
// and the pictures have the sizes the scaled layouts expect. At 100 % the pictures are the
// very pixels the windows have always shown.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <string>

#include "image_files.h"
#include "pictures/draw_down.h"
#include "pictures/png_decoder.h"

namespace ormind::test {
namespace {

constexpr std::int32_t k300Dpi = 11808;  // pixels per metre
constexpr std::int32_t k72Dpi = 2834;
constexpr int kScales[] = {100, 125, 150, 200};
constexpr int kFaceScales[] = {100, 200};  // the faces' files; the others are drawn down

// A length of the 100 % layout at a scale in percent: rounded, halves up.
int At(int length, int scale) { return (length * scale + 50) / 100; }

// "main_face.png" at 150 % is "main_face_150.png".
std::string Scaled(const std::string& name, int scale) {
  if (scale == 100) return name;
  return name.substr(0, name.size() - 4) + "_" + std::to_string(scale) + ".png";
}

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
};

// A layout rectangle at a scale: its edges where the program places them, widened to cover
// the scaled size too where the two roundings differ.
Rect At(Rect r, int scale) {
  return {At(r.left, scale), At(r.top, scale),
          std::max(At(r.right, scale), At(r.left, scale) + At(r.right - r.left, scale)),
          std::max(At(r.bottom, scale), At(r.top, scale) + At(r.bottom - r.top, scale))};
}

Bitmap Load(const std::string& name) { return DecodePngPicture(ReadFileBytes(ResourcePath(name))); }

bool HasFaceFile(int scale) {
  return std::find(std::begin(kFaceScales), std::end(kFaceScales), scale) != std::end(kFaceScales);
}

// A window face at a scale as the window shows it: its file where there is one, otherwise the
// 200 % face drawn down to the scaled size by the program's own resampling.
Bitmap Face(const std::string& name, int scale) {
  if (HasFaceFile(scale)) return Load(Scaled(name, scale));
  const PngInfo at100 = ParsePngInfo(ReadFileBytes(ResourcePath(name)));
  return ToBitmap(DrawDown(DecodePng(ReadFileBytes(ResourcePath(Scaled(name, 200)))),
                           At(at100.width, scale), At(at100.height, scale), 0xFFFFFF));
}

int CountWhite(const Bitmap& bmp, Rect r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += bmp.at(x, y) == kWhite;
  return n;
}

bool IsPink(Rgb c) { return c.r > 170 && c.r > c.g + 60 && c.b > c.g && c.r > c.b; }
bool IsLeafGreen(Rgb c) { return c.g > c.r + 25 && c.g > c.b + 25; }
int Brightness(Rgb c) { return c.r + c.g + c.b; }

// A visible pixel next to a see-through one that is itself almost white shows as a pale halo
// around the shaped window on a dark desktop.
int CountHaloPixels(const Bitmap& bmp) {
  int n = 0;
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      const Rgb c = bmp.at(x, y);
      if (c == kWhite || std::min({c.r, c.g, c.b}) < 235) continue;
      const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
      for (int k = 0; k < 4; ++k) {
        const int nx = x + dx[k], ny = y + dy[k];
        if (nx >= 0 && ny >= 0 && nx < bmp.width && ny < bmp.height && bmp.at(nx, ny) == kWhite) {
          ++n;
          break;
        }
      }
    }
  }
  return n;
}

const char* const kButtons[] = {
    "buttons/previous_day.png", "buttons/next_day.png", "buttons/edit_list.png",
    "buttons/print_greeting.png", "buttons/settings.png", "buttons/to_tray.png",
    "buttons/close.png", "buttons/editor_print.png",
};

TEST(Artwork, PicturesHaveTheirScaledSizesAndResolutions) {
  struct Picture {
    std::string name;
    int width, height;
    std::int32_t ppm;
  };
  const std::vector<Picture> faces = {{"main_face.png", 600, 383, k300Dpi},
                                      {"editor_face.png", 446, 336, k300Dpi}};
  std::vector<Picture> buttons;
  for (const char* button : kButtons) buttons.push_back({button, 32, 32, k72Dpi});
  for (const int scale : kScales) {
    std::vector<Picture> pictures = buttons;
    if (HasFaceFile(scale)) pictures.insert(pictures.end(), faces.begin(), faces.end());
    for (const Picture& p : pictures) {
      const std::string name = Scaled(p.name, scale);
      SCOPED_TRACE(name);
      const PngInfo info = ParsePngInfo(ReadFileBytes(ResourcePath(name)));
      EXPECT_EQ(info.width, At(p.width, scale));
      EXPECT_EQ(info.height, At(p.height, scale));
      EXPECT_EQ(info.bit_depth, 8);
      EXPECT_EQ(info.colour_type, 2) << "RGB: the see-through colour is white, not alpha";
      EXPECT_EQ(info.x_pixels_per_metre, p.ppm);
      EXPECT_EQ(info.y_pixels_per_metre, p.ppm);
    }
  }
}

TEST(Artwork, PicturesAt100PercentAreThePixelsTheWindowsHaveAlwaysShown) {
  // CRC-32 of the RGB bytes, top row first, of the 24-bit bitmaps the program showed before
  // its pictures were kept as PNG files.
  const struct {
    const char* name;
    uLong crc;
  } cases[] = {
      {"main_face.png", 0x167C6B8Bu},          {"editor_face.png", 0x5B1EE2C5u},
      {"buttons/previous_day.png", 0xBA98ED5Bu}, {"buttons/next_day.png", 0x17B6BA8Bu},
      {"buttons/edit_list.png", 0x7BBE9E2Au},    {"buttons/print_greeting.png", 0xE4351A1Du},
      {"buttons/settings.png", 0xFB86D023u},     {"buttons/to_tray.png", 0xDBE9F0AAu},
      {"buttons/close.png", 0x80C1D1F0u},        {"buttons/editor_print.png", 0x1E8B9FE8u},
  };
  for (const auto& c : cases) {
    const Bitmap picture = Load(c.name);
    std::vector<std::uint8_t> rgb;
    for (const Rgb& p : picture.pixels) rgb.insert(rgb.end(), {p.r, p.g, p.b});
    EXPECT_EQ(crc32(0, rgb.data(), static_cast<uInt>(rgb.size())), c.crc) << c.name;
  }
}

TEST(Artwork, MainFaceIsAboutTwoFifthsSeeThroughAtEveryScale) {
  for (const int scale : kScales) {
    const Bitmap face = Face("main_face.png", scale);
    const double share = 100.0 * CountWhite(face, {0, 0, face.width, face.height}) /
                         (face.width * face.height);
    EXPECT_NEAR(share, 39.0, 1.5) << scale;
  }
}

TEST(Artwork, MainFaceKeepsTheTextAreaAndButtonRowSolidAtEveryScale) {
  for (const int scale : kScales) {
    SCOPED_TRACE(scale);
    const Bitmap face = Face("main_face.png", scale);
    EXPECT_EQ(CountWhite(face, At(Rect{24, 80, 24 + 361, 80 + 169}, scale)), 0) << "scrolling area";
    // Resting and hovered buttons: left 22 (btn1 enlarged) to 298 (btn7 enlarged), y 250-286.
    EXPECT_EQ(CountWhite(face, At(Rect{22, 250, 298, 287}, scale)), 0) << "button row";
    // Inside the panel's bounding box only its four rounded corners are cut out.
    const Rect panel{At(14, scale), At(77, scale), At(400, scale), At(292, scale)};
    EXPECT_LE(CountWhite(face, panel), 4 * 80 * scale * scale / 10000) << "panel";
  }
}

TEST(Artwork, MainFaceOutlineIsPanelAndTulips) {
  const Bitmap face = Load("main_face.png");
  // Above the panel left of the flowers, and below it left of the leaves: see-through.
  EXPECT_EQ(CountWhite(face, {0, 0, 340, 77}), 340 * 77);
  EXPECT_EQ(CountWhite(face, {0, 292, 300, 383}), 300 * 91);
  EXPECT_EQ(CountWhite(face, {0, 77, 14, 292}), 14 * 215);
  // Nothing is cut off by the picture's right edge.
  EXPECT_EQ(CountWhite(face, {599, 0, 600, 383}), 383);
  // The panel's straight edges: x 14 to 399, y 77 to 291.
  EXPECT_NE(face.at(14, 184), kWhite);
  EXPECT_NE(face.at(200, 77), kWhite);
  EXPECT_NE(face.at(200, 291), kWhite);
  EXPECT_EQ(face.at(200, 292), kWhite);
  EXPECT_EQ(face.at(200, 76), kWhite);
  // The tulips reach from row 8 to row 380.
  auto row_is_white = [&](int y) { return CountWhite(face, {0, y, 600, y + 1}) == 600; };
  for (int y = 0; y < 8; ++y) EXPECT_TRUE(row_is_white(y)) << y;
  EXPECT_FALSE(row_is_white(8));
  EXPECT_FALSE(row_is_white(380));
  EXPECT_TRUE(row_is_white(381));
  EXPECT_TRUE(row_is_white(382));
}

TEST(Artwork, ScaledMainFaceOutlineLinesUpWithTheScaledLayout) {
  for (const int scale : kScales) {
    SCOPED_TRACE(scale);
    const Bitmap face = Face("main_face.png", scale);
    // The see-through areas around the panel, one pixel clear of its scaled edges.
    EXPECT_EQ(CountWhite(face, {0, 0, At(340, scale), At(77, scale) - 1}),
              At(340, scale) * (At(77, scale) - 1));
    EXPECT_EQ(CountWhite(face, {0, At(292, scale) + 1, At(300, scale), face.height}),
              At(300, scale) * (face.height - At(292, scale) - 1));
    EXPECT_EQ(CountWhite(face, {0, At(77, scale), At(14, scale) - 1, At(292, scale)}),
              (At(14, scale) - 1) * (At(292, scale) - At(77, scale)));
    // The panel's straight edges, one pixel inside.
    EXPECT_NE(face.at(At(14, scale) + 1, At(184, scale)), kWhite);
    EXPECT_NE(face.at(At(200, scale), At(77, scale) + 1), kWhite);
    EXPECT_NE(face.at(At(200, scale), At(292, scale) - 2), kWhite);
  }
}

TEST(Artwork, MainFaceShowsPinkTulipsWithLeavesOverlappingThePanel) {
  const Bitmap face = Load("main_face.png");
  int pink = 0, green = 0, over_panel = 0;
  for (int y = 0; y < 383; ++y) {
    for (int x = 0; x < 600; ++x) {
      const Rgb c = face.at(x, y);
      pink += IsPink(c);
      green += IsLeafGreen(c);
      if (x < 400 && y >= 77 && y < 292 && (IsPink(c) || IsLeafGreen(c))) ++over_panel;
      if (x < 330) {
        EXPECT_FALSE(IsPink(c)) << x << "," << y;  // flowers stay at the right
      }
    }
  }
  EXPECT_GT(pink, 10000);
  EXPECT_GT(green, 15000);
  EXPECT_GT(over_panel, 500);
}

TEST(Artwork, MainFacePanelGlowsAtUpperLeftAndDeepensDownwards) {
  for (const int scale : kScales) {
    const Bitmap face = Face("main_face.png", scale);
    const Rgb glow = face.at(At(40, scale), At(90, scale));
    const Rgb top_right = face.at(At(350, scale), At(90, scale));
    const Rgb bottom = face.at(At(40, scale), At(280, scale));
    EXPECT_GT(Brightness(glow), Brightness(top_right)) << scale;
    EXPECT_GT(Brightness(top_right), Brightness(bottom)) << scale;
    for (const Rgb c : {glow, top_right, bottom}) EXPECT_GT(c.b, c.r) << scale;  // blue throughout
  }
}

TEST(Artwork, FacesHaveNoPaleHaloAroundTheirOutlineAtEveryScale) {
  for (const int scale : kScales) {
    for (const char* name : {"main_face.png", "editor_face.png"}) {
      EXPECT_EQ(CountHaloPixels(Face(name, scale)), 0) << name << " at " << scale;
    }
  }
}

TEST(Artwork, EditorFaceIsSeeThroughOnlyInItsFourRoundedCornersAtEveryScale) {
  for (const int scale : kScales) {
    SCOPED_TRACE(scale);
    const Bitmap face = Face("editor_face.png", scale);
    const int w = face.width, h = face.height;
    const int corner = At(21, scale) + 1;  // the cut-out's radius, and a pixel
    const Rect corners[] = {{0, 0, corner, corner},
                            {w - corner, 0, w, corner},
                            {0, h - corner, corner, h},
                            {w - corner, h - corner, w, h}};
    int in_corners = 0;
    const int first = CountWhite(face, corners[0]);
    for (const Rect& c : corners) {
      const int n = CountWhite(face, c);
      EXPECT_EQ(n, first);  // the corners are alike
      in_corners += n;
      // The corner pixel itself is cut out; the middle of each edge is not.
      EXPECT_EQ(face.at(c.left == 0 ? 0 : w - 1, c.top == 0 ? 0 : h - 1), kWhite);
    }
    EXPECT_GT(first, 0);
    EXPECT_EQ(CountWhite(face, {0, 0, w, h}), in_corners);
    EXPECT_NE(face.at(w / 2, 0), kWhite);
    EXPECT_NE(face.at(0, h / 2), kWhite);
    if (scale == 100) {
      EXPECT_EQ(in_corners, 368);
    }
  }
}

TEST(Artwork, EditorFaceKeepsTulipsAtTheLowerRightClearOfTheFields) {
  for (const int scale : kScales) {
    SCOPED_TRACE(scale);
    const Bitmap face = Face("editor_face.png", scale);
    int pink_lower_right = 0, flowers_on_fields = 0, flowers_on_buttons = 0;
    for (int y = 0; y < face.height; ++y) {
      for (int x = 0; x < face.width; ++x) {
        const Rgb c = face.at(x, y);
        const bool flower = IsPink(c) || IsLeafGreen(c);
        flowers_on_fields += x < At(280, scale) && y < At(312, scale) && flower;
        flowers_on_buttons += x >= At(340, scale) && y < At(80, scale) && flower;
        pink_lower_right += x >= face.width / 2 && y >= face.height / 2 && IsPink(c);
      }
    }
    EXPECT_EQ(flowers_on_fields, 0);
    EXPECT_EQ(flowers_on_buttons, 0);
    EXPECT_GT(pink_lower_right, 3000 * scale * scale / 10000);
    EXPECT_GT(Brightness(face.at(At(30, scale), At(20, scale))),
              Brightness(face.at(At(30, scale), At(320, scale))));  // glow at upper left
    const Rgb middle = face.at(At(200, scale), At(200, scale));
    EXPECT_GT(middle.b, middle.r);  // a blue card
  }
}

TEST(Artwork, ButtonsAreDiscsOnBlackCornersWithoutWhiteAtEveryScale) {
  for (const int scale : kScales) {
    for (const char* base : kButtons) {
      const std::string name = Scaled(base, scale);
      SCOPED_TRACE(name);
      const bool crimson = name.find("close") != std::string::npos;
      const Bitmap button = Load(name);
      const int size = At(32, scale);
      const double radius = size / 2.0, glyph = 9.0 * scale / 100;
      int black = 0, outside = 0, white = 0, dark_glyph = 0;
      long red = 0, green = 0;
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          const Rgb p = button.at(x, y);
          const double dx = x + 0.5 - radius, dy = y + 0.5 - radius;
          const bool outside_disc = dx * dx + dy * dy > radius * radius;
          // Exactly the corners outside the disc are black, so exactly they are left out.
          EXPECT_EQ(p == kBlack, outside_disc) << x << "," << y;
          black += p == kBlack;
          outside += outside_disc;
          white += p == kWhite;
          if (!outside_disc) {
            red += p.r;
            green += p.g;
          }
          if (dx * dx + dy * dy < glyph * glyph && Brightness(p) < 200) ++dark_glyph;
        }
      }
      EXPECT_EQ(black, outside);
      if (scale == 100) {
        EXPECT_EQ(black, 212);
      }
      EXPECT_EQ(white, 0);
      EXPECT_EQ(button.at(0, size - 1), kBlack);  // bottom-left: the automatic transparent colour
      EXPECT_EQ(red > green, crimson);
      EXPECT_GT(dark_glyph, 25 * scale * scale / 10000);  // a dark glyph in the middle
    }
  }
}

TEST(Artwork, GreetingEditorHasItsOwnPrinterButton) {
  for (const int scale : kScales) {
    EXPECT_NE(Load(Scaled("buttons/print_greeting.png", scale)).pixels,
              Load(Scaled("buttons/editor_print.png", scale)).pixels)
        << scale;
  }
}

TEST(Artwork, IconHoldsItsImagesFrom16To256Pixels) {
  const std::vector<IconImage> images = ParseIcon(ReadFileBytes(ResourcePath("ormind.ico")));
  const Rgb vga16[] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                       {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                       {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                       {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  const struct {
    int size, bits;
    bool png;
  } expected[] = {{32, 4, false}, {32, 8, false}, {16, 4, false}, {16, 8, false},
                  {48, 32, false}, {24, 32, false}, {256, 32, true}};
  ASSERT_EQ(images.size(), std::size(expected));
  for (size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(i);
    const IconImage& image = images[i];
    const int size = expected[i].size;
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
    EXPECT_EQ(image.bits_per_pixel, expected[i].bits);
    EXPECT_EQ(image.png, expected[i].png);
    EXPECT_EQ(image.directory_colour_count, expected[i].bits == 4 ? 16 : 0);
    if (expected[i].bits == 4) {
      ASSERT_EQ(image.palette.size(), 16u);
      for (int c = 0; c < 16; ++c) EXPECT_EQ(image.palette[c], vga16[c]) << c;
    }
    int opaque = 0, wine = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const Rgb c = image.colour(x, y);
        const size_t at = static_cast<size_t>(y) * size + x;
        if (!image.alpha.empty()) {
          // The mask marks what is under half covered; nothing covered is black.
          EXPECT_EQ(image.see_through(x, y), image.alpha[at] < 128) << x << "," << y;
          if (image.alpha[at] == 0) {
            EXPECT_EQ(c, kBlack) << x << "," << y;
          }
        }
        if (image.see_through(x, y)) {
          if (image.palette.size()) {
            EXPECT_EQ(c, kBlack) << x << "," << y;  // screen unchanged
          }
          continue;
        }
        ++opaque;
        wine += c.r > c.g + 60 && c.r > c.b + 40;
      }
    }
    // A glass, not a square: the corners are see-through, the bowl's middle is wine.
    EXPECT_TRUE(image.see_through(0, 0));
    EXPECT_TRUE(image.see_through(size - 1, 0));
    EXPECT_TRUE(image.see_through(0, size - 1));
    EXPECT_TRUE(image.see_through(size - 1, size / 2));
    const Rgb middle = image.colour(size / 2, size * 3 / 8);
    EXPECT_GT(middle.r, middle.g + 60);
    EXPECT_GT(opaque, size * size / 3);
    EXPECT_LT(opaque, size * size * 4 / 5);
    EXPECT_GT(wine, opaque / 5);
  }
}

}  // namespace
}  // namespace ormind::test
