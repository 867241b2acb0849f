// What the editor's print button puts into the card: the lines typed, and which background
// picture the card ends up with for each setting.
#include <gtest/gtest.h>

#include <set>

#include "card/greeting_fill.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::FakeGraphic;

TEST(GreetingFill, LineBreaksTypedStayLineBreaks) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a", ""}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"tab\tstays", {"tab\tstays"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitGreetingLines(c.text), c.lines) << c.text;
}

// Pictures told apart by their width: 1654 the built-in one, 10 a JPEG, 20 a PNG.
struct PictureCase {
  const char* name;
  std::vector<std::string> settings;  // PrintPicture at each press of the print button
  int32_t widthAfter;
  const char* error;  // of the last press
};

TEST(GreetingFill, TheBackgroundFollowsTheSettingPressByPress) {
  const std::set<std::string> present = {"C:\\card.JPG", "C:\\card.png", "C:\\card.webp",
                                         "C:\\bad.jpg"};
  const PictureCase cases[] = {
      {"no setting: the built-in picture", {""}, 1654, nullptr},
      {"a JPEG with an upper-case extension", {"C:\\card.JPG"}, 10, nullptr},
      {"a JPEG, then a PNG", {"C:\\card.JPG", "C:\\card.png"}, 20, nullptr},
      {"a JPEG, then the setting cleared: the last picture stays",
       {"C:\\card.JPG", ""},
       10,
       nullptr},
      {"a missing file: the built-in picture", {"C:\\card.JPG", "D:\\gone.jpg"}, 1654, nullptr},
      {"an unknown extension keeps the previous picture",
       {"C:\\card.png", "C:\\card.webp"},
       20,
       "Unknown picture file extension (.webp)"},
      {"a damaged JPEG keeps the previous picture",
       {"C:\\card.png", "C:\\bad.jpg"},
       20,
       "JPEG error #53"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::RecordingCanvas reference(96);
    TRptPictureFormats formats;
    formats.Register("jpg", "JPEG Image File", "TJPEGImage", [](const std::string& path) {
      if (path == "C:\\bad.jpg") throw std::runtime_error("JPEG error #53");
      return std::make_unique<FakeGraphic>(10, 10);
    });
    formats.Register("png", "Portable Network Graphics", "TPngImage",
                     [](const std::string&) { return std::make_unique<FakeGraphic>(20, 20); });
    const TBuiltInPicture builtIn = [] { return std::make_unique<FakeGraphic>(1654, 2339); };
    TReport1 card(reference, TRptEngineSettings{}, formats, builtIn);
    std::string error;
    for (const std::string& setting : c.settings) {
      try {
        FillCard(card, {"Dear Anna", "Happy\r\nbirthday", "Paul"}, setting,
                 [&](const std::string& p) { return present.count(p) > 0; }, builtIn);
      } catch (const std::exception& e) {
        error = e.what();
      }
    }
    EXPECT_EQ(card.RptImage2.Picture().Graphic()->Width(), c.widthAfter);
    EXPECT_EQ(error, c.error ? c.error : "");
    // The texts are in the card whatever became of the picture.
    EXPECT_EQ(card.RptMemo1.Lines(), (std::vector<std::string>{"Happy", "birthday"}));
    EXPECT_EQ(card.RptLabel2.Caption(), "Paul");
  }
}

}  // namespace
}  // namespace ormind
