// Checks the committed artwork against the rules the windows rely on: pure white is the
// see-through colour of both skinned windows, button corners are pure black (their
// transparent colour), and the pictures have the sizes, depths and resolutions the window
// layouts expect.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "image_files.h"

namespace ormind::test {
namespace {

constexpr std::int32_t k300Dpi = 11808;  // pixels per metre
constexpr std::int32_t k72Dpi = 2834;

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
};

Bitmap LoadBitmap(const std::string& name) { return ParseBitmap(ReadFileBytes(ResourcePath(name))); }

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

TEST(Artwork, BitmapsHaveTheirSizesDepthsAndResolutions) {
  const struct {
    const char* name;
    int width, height;
    std::int32_t ppm;
  } cases[] = {
      {"main_face.bmp", 600, 383, k300Dpi},          {"editor_face.bmp", 446, 336, k300Dpi},
      {"buttons/previous_day.bmp", 32, 32, k72Dpi},  {"buttons/next_day.bmp", 32, 32, k72Dpi},
      {"buttons/edit_list.bmp", 32, 32, k72Dpi},     {"buttons/print_greeting.bmp", 32, 32, k72Dpi},
      {"buttons/settings.bmp", 32, 32, k72Dpi},      {"buttons/to_tray.bmp", 32, 32, k72Dpi},
      {"buttons/close.bmp", 32, 32, k72Dpi},         {"buttons/editor_print.bmp", 32, 32, k72Dpi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bitmap bmp = LoadBitmap(c.name);
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);
    EXPECT_EQ(bmp.bits_per_pixel, 24);
    EXPECT_EQ(bmp.x_pixels_per_metre, c.ppm);
    EXPECT_EQ(bmp.y_pixels_per_metre, c.ppm);
  }
}

TEST(Artwork, MainFaceIsAboutTwoFifthsSeeThrough) {
  const Bitmap face = LoadBitmap("main_face.bmp");
  const double share = 100.0 * CountWhite(face, {0, 0, 600, 383}) / (600 * 383);
  EXPECT_NEAR(share, 39.0, 1.5);
}

TEST(Artwork, MainFaceKeepsTheTextAreaAndButtonRowSolid) {
  const Bitmap face = LoadBitmap("main_face.bmp");
  EXPECT_EQ(CountWhite(face, {24, 80, 24 + 361, 80 + 169}), 0) << "scrolling area";
  // Resting and hovered buttons: left 22 (btn1 enlarged) to 298 (btn7 enlarged), y 250-286.
  EXPECT_EQ(CountWhite(face, {22, 250, 298, 287}), 0) << "button row";
  // Inside the panel's bounding box only its four rounded corners are cut out.
  EXPECT_LE(CountWhite(face, {14, 77, 400, 292}), 4 * 80) << "panel";
}

TEST(Artwork, MainFaceOutlineIsPanelAndTulips) {
  const Bitmap face = LoadBitmap("main_face.bmp");
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

TEST(Artwork, MainFaceShowsPinkTulipsWithLeavesOverlappingThePanel) {
  const Bitmap face = LoadBitmap("main_face.bmp");
  int pink = 0, green = 0, over_panel = 0;
  for (int y = 0; y < 383; ++y) {
    for (int x = 0; x < 600; ++x) {
      const Rgb c = face.at(x, y);
      pink += IsPink(c);
      green += IsLeafGreen(c);
      if (x < 400 && y >= 77 && y < 292 && (IsPink(c) || IsLeafGreen(c))) ++over_panel;
      if (x < 330) EXPECT_FALSE(IsPink(c)) << x << "," << y;  // flowers stay at the right
    }
  }
  EXPECT_GT(pink, 10000);
  EXPECT_GT(green, 15000);
  EXPECT_GT(over_panel, 500);
}

TEST(Artwork, MainFacePanelGlowsAtUpperLeftAndDeepensDownwards) {
  const Bitmap face = LoadBitmap("main_face.bmp");
  const Rgb glow = face.at(40, 90), top_right = face.at(350, 90), bottom = face.at(40, 280);
  EXPECT_GT(Brightness(glow), Brightness(top_right));
  EXPECT_GT(Brightness(top_right), Brightness(bottom));
  for (const Rgb c : {glow, top_right, bottom}) EXPECT_GT(c.b, c.r);  // blue throughout
}

TEST(Artwork, FacesHaveNoPaleHaloAroundTheirOutline) {
  for (const char* name : {"main_face.bmp", "editor_face.bmp"}) {
    EXPECT_EQ(CountHaloPixels(LoadBitmap(name)), 0) << name;
  }
}

TEST(Artwork, EditorFaceIsSeeThroughOnlyInItsFourRoundedCorners) {
  const Bitmap face = LoadBitmap("editor_face.bmp");
  constexpr int kCorner = 21;
  const Rect corners[] = {{0, 0, kCorner, kCorner},
                          {446 - kCorner, 0, 446, kCorner},
                          {0, 336 - kCorner, kCorner, 336},
                          {446 - kCorner, 336 - kCorner, 446, 336}};
  int in_corners = 0;
  for (const Rect& c : corners) {
    const int n = CountWhite(face, c);
    EXPECT_EQ(n, 92);  // the corners are alike
    in_corners += n;
  }
  EXPECT_EQ(in_corners, 368);
  EXPECT_EQ(CountWhite(face, {0, 0, 446, 336}), 368);
  for (const Rect& c : corners) {
    // The corner pixel itself is cut out; the middle of each edge is not.
    EXPECT_EQ(face.at(c.left == 0 ? 0 : 445, c.top == 0 ? 0 : 335), kWhite);
  }
  EXPECT_NE(face.at(223, 0), kWhite);
  EXPECT_NE(face.at(0, 168), kWhite);
}

TEST(Artwork, EditorFaceKeepsTulipsAtTheLowerRightClearOfTheFields) {
  const Bitmap face = LoadBitmap("editor_face.bmp");
  int pink_lower_right = 0;
  for (int y = 0; y < 336; ++y) {
    for (int x = 0; x < 446; ++x) {
      const Rgb c = face.at(x, y);
      const bool flower = IsPink(c) || IsLeafGreen(c);
      if (x < 280 && y < 312) EXPECT_FALSE(flower) << x << "," << y;  // the input fields
      if (x >= 340 && y < 80) EXPECT_FALSE(flower) << x << "," << y;  // the buttons
      pink_lower_right += x >= 223 && y >= 168 && IsPink(c);
    }
  }
  EXPECT_GT(pink_lower_right, 3000);
  EXPECT_GT(Brightness(face.at(30, 20)), Brightness(face.at(30, 320)));  // glow at upper left
  EXPECT_GT(face.at(200, 200).b, face.at(200, 200).r);                 // a blue card
}

TEST(Artwork, ButtonsAreDiscsOnBlackCornersWithoutWhite) {
  const struct {
    const char* name;
    bool crimson;
  } cases[] = {
      {"buttons/previous_day.bmp", false}, {"buttons/next_day.bmp", false},
      {"buttons/edit_list.bmp", false},    {"buttons/print_greeting.bmp", false},
      {"buttons/settings.bmp", false},     {"buttons/to_tray.bmp", false},
      {"buttons/close.bmp", true},         {"buttons/editor_print.bmp", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bitmap button = LoadBitmap(c.name);
    int black = 0, white = 0, dark_glyph = 0;
    long red = 0, green = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const Rgb p = button.at(x, y);
        const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
        const bool outside_disc = dx * dx + dy * dy > 16 * 16;
        // Exactly the corners outside the disc are black, so exactly they are left out.
        EXPECT_EQ(p == kBlack, outside_disc) << x << "," << y;
        black += p == kBlack;
        white += p == kWhite;
        if (!outside_disc) {
          red += p.r;
          green += p.g;
        }
        if (dx * dx + dy * dy < 9 * 9 && Brightness(p) < 200) ++dark_glyph;
      }
    }
    EXPECT_EQ(black, 212);
    EXPECT_EQ(white, 0);
    EXPECT_EQ(button.at(0, 31), kBlack);  // bottom-left: the automatic transparent colour
    EXPECT_EQ(red > green, c.crimson);
    EXPECT_GT(dark_glyph, 25);  // a dark glyph in the middle
  }
}

TEST(Artwork, GreetingEditorHasItsOwnPrinterButton) {
  const auto main_print = ReadFileBytes(ResourcePath("buttons/print_greeting.bmp"));
  const auto editor_print = ReadFileBytes(ResourcePath("buttons/editor_print.bmp"));
  EXPECT_NE(main_print, editor_print);
}

TEST(Artwork, IconHoldsTheFourImagesWithMasks) {
  const std::vector<IconImage> images = ParseIcon(ReadFileBytes(ResourcePath("ormind.ico")));
  const Rgb vga16[] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                       {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                       {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                       {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  const struct {
    int size, bits;
  } expected[] = {{32, 4}, {32, 8}, {16, 4}, {16, 8}};
  ASSERT_EQ(images.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const IconImage& image = images[i];
    const int size = expected[i].size;
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
    EXPECT_EQ(image.bits_per_pixel, expected[i].bits);
    EXPECT_EQ(image.directory_colour_count, expected[i].bits == 4 ? 16 : 0);
    if (expected[i].bits == 4) {
      ASSERT_EQ(image.palette.size(), 16u);
      for (int c = 0; c < 16; ++c) EXPECT_EQ(image.palette[c], vga16[c]) << c;
    }
    int opaque = 0, wine = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const Rgb c = image.colour(x, y);
        if (image.see_through(x, y)) {
          EXPECT_EQ(c, kBlack) << x << "," << y;  // so the screen shows through unchanged
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
