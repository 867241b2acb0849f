// The picture loader: which class a file name selects, and what a failed load leaves behind.
#include <gtest/gtest.h>

#include "report/model/picture_registry.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::FakeGraphic;

// A graphic whose width tells which class loaded it; "bad" in the name fails like a damaged file.
struct Classes {
  std::vector<std::string> loadedBy;
  std::map<std::string, TRptGraphicLoader> loaders;
  Classes() {
    const char* names[] = {"TMetafile", "TIcon", "TBitmap", "TJPEGImage", "TOleGraphic", "TPngImage"};
    for (const char* name : names) {
      loaders[name] = [this, name](const std::string& path) -> std::unique_ptr<TRptGraphic> {
        loadedBy.push_back(name);
        if (path.find("bad") != std::string::npos) throw std::runtime_error("JPEG error #42");
        return std::make_unique<FakeGraphic>(int32_t(loadedBy.size()), 1);
      };
    }
  }
};

TEST(RptPictureFormats, ChoosesTheClassByExtensionIgnoringCase) {
  const struct { std::string path, loadedBy, error; } cases[] = {
      {"card.JPG", "TJPEGImage", ""},
      {"C:\\Photos\\card.Jpeg", "TJPEGImage", ""},
      {"phone.png", "TPngImage", ""},
      {"page.emf", "TMetafile", ""},
      {"picture", "TOleGraphic", ""},
      {"C:\\my.folder\\picture", "TOleGraphic", ""},
      {"photo.webp", "", "Unknown picture file extension (.webp)"},
      {"notes.TXT", "", "Unknown picture file extension (.TXT)"},
      {"anim.gif", "", "Unknown picture file extension (.gif)"},  // no GIF class on this platform
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    Classes classes;
    const TRptPictureFormats formats = StandardPictureFormats(classes.loaders);
    if (c.error.empty()) {
      EXPECT_NE(formats.Load(c.path), nullptr);
      EXPECT_EQ(classes.loadedBy, std::vector<std::string>{c.loadedBy});
    } else {
      try {
        formats.Load(c.path);
        ADD_FAILURE() << "loaded";
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), c.error);
      }
      EXPECT_TRUE(classes.loadedBy.empty());
    }
  }
}

TEST(RptPictureFormats, TheLatestRegistrationWinsAndAFailedLoadKeepsThePicture) {
  Classes classes;
  TRptPictureFormats formats = StandardPictureFormats(classes.loaders);
  formats.Register("JPG", "Other", "TBitmap", classes.loaders["TBitmap"]);
  EXPECT_EQ(formats.Find("jpg")->ClassName, "TBitmap");
  EXPECT_EQ(formats.Find("jpeg")->ClassName, "TJPEGImage");

  TPicture picture(formats);
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  picture.LoadFromFile("first.bmp");
  const TRptGraphic* first = picture.Graphic();
  EXPECT_THROW(picture.LoadFromFile("bad.bmp"), std::runtime_error);
  EXPECT_THROW(picture.LoadFromFile("bad.xyz"), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), first);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace ormind
