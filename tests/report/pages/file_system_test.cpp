// The page store's file-system seam: telling whether two paths name one file, and opening files
// by their UTF-8 names.
#include "report/pages/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/report/pages/test_files.h"

namespace ormind {
namespace {

TEST(FileSystem, SameFileFollowsSpellingsAndLinksNotNames) {
  testing::ScratchFolder folder;
  const std::string report = folder.File("card.orp"), other = folder.File("other.orp");
  std::ofstream(report) << "pages";
  std::ofstream(other) << "pages";  // same contents, another file
  const std::string folderPath = std::filesystem::path(report).parent_path().string();
  std::filesystem::create_hard_link(report, folder.File("linked.orp"));
  struct Case {
    const char* name;
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"itself", report, report, true},
      {"through a dot folder", report, folderPath + "/./card.orp", true},
      {"through the parent", report, folderPath + "/../" +
                                         std::filesystem::path(folderPath).filename().string() +
                                         "/card.orp", true},
      {"a hard link", report, folder.File("linked.orp"), true},
      {"another file with the same bytes", report, other, false},
      {"one missing", report, folder.File("missing.orp"), false},
      {"both missing", folder.File("missing.orp"), folder.File("missing.orp"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFile(c.a, c.b), c.same) << c.name;
}

TEST(FileSystem, OpensFilesByTheirUtf8Names) {
  testing::ScratchFolder folder;
  const std::string path = folder.File("\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD0\xBA\xD0\xB0.orp");
  std::FILE* written = OpenFileStream(path, false);
  ASSERT_NE(written, nullptr);
  std::fputs("card", written);
  std::fclose(written);
  std::FILE* read = OpenFileStream(path, true);
  ASSERT_NE(read, nullptr);
  char text[8] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text, read), 4u);
  std::fclose(read);
  EXPECT_STREQ(text, "card");
  EXPECT_EQ(OpenFileStream(folder.File("missing.orp"), true), nullptr);
  EXPECT_EQ(folder.Names().size(), 1u);  // the name went through unchanged: one file, found again
}

}  // namespace
}  // namespace ormind
