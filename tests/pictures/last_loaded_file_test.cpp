#include "pictures/last_loaded_file.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(LastLoadedFile, ReusedOnlyForTheSameUnchangedFile) {
  const FileStamp stamp{195046, 133500000000000000};
  struct Case {
    const char* name;
    std::string path;
    std::optional<FileStamp> stamp;
    bool reused;
  };
  const Case cases[] = {
      {"same file, unchanged", "C:\\Photos\\card.jpg", stamp, true},
      {"rewritten to another size", "C:\\Photos\\card.jpg", FileStamp{195047, stamp.lastChange}, false},
      {"same size, changed later", "C:\\Photos\\card.jpg", FileStamp{stamp.size, stamp.lastChange + 1}, false},
      {"another file", "C:\\Photos\\other.jpg", stamp, false},
      {"stamp unreadable now", "C:\\Photos\\card.jpg", std::nullopt, false},
  };
  for (const Case& c : cases) {
    TLastLoadedFile<int> last;
    const auto made = std::make_shared<int>(7);
    last.Keep("C:\\Photos\\card.jpg", stamp, made);
    EXPECT_EQ(last.Find(c.path, c.stamp) == made, c.reused) << c.name;
  }
}

TEST(LastLoadedFile, HoldsOneFileAndNothingWithoutAStamp) {
  const FileStamp stamp{10, 20};
  TLastLoadedFile<int> last;
  EXPECT_EQ(last.Find("a.jpg", stamp), nullptr);  // nothing kept yet
  last.Keep("a.jpg", stamp, std::make_shared<int>(1));
  last.Keep("b.jpg", stamp, std::make_shared<int>(2));
  EXPECT_EQ(last.Find("a.jpg", stamp), nullptr);
  ASSERT_NE(last.Find("b.jpg", stamp), nullptr);
  EXPECT_EQ(*last.Find("b.jpg", stamp), 2);
  last.Keep("b.jpg", std::nullopt, std::make_shared<int>(3));  // a file that cannot be told apart
  EXPECT_EQ(last.Find("b.jpg", stamp), nullptr);
}

}  // namespace
}  // namespace ormind
