// ormind-report's commands, run in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "tools/ormind-report/report_tool.h"
#include "tests/report/pages/emf_builder.h"
#include "tests/report/pages/test_files.h"

namespace ormind {
namespace {

using testing::MakeTestEmf;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

struct ToolRun {
  int status;
  std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunReportTool(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(ReportTool, PacksInspectsAndExtractsPages) {
  ScratchFolder folder;
  const auto a4 = MakeTestEmf(21000, 29700, 500, 1);
  const auto landscape = MakeTestEmf(29700, 21000, 20, 2);
  WriteBytes(folder.File("1.emf"), a4);
  WriteBytes(folder.File("2.emf"), landscape);
  for (bool compress : {false, true}) {
    SCOPED_TRACE(compress);
    const std::string report = folder.File("r.orp");
    std::vector<std::string> pack = {"pack", report, folder.File("1.emf"), folder.File("2.emf")};
    if (compress) pack.insert(pack.begin() + 2, "--compress");
    const ToolRun packed = Tool(pack);
    ASSERT_EQ(packed.status, 0) << packed.err;

    const ToolRun info = Tool({"info", report});
    ASSERT_EQ(info.status, 0) << info.err;
    for (const std::string& line :
         {std::string("Header size: 128 bytes\n"), std::string("LayoutVersion: 3\n"),
          std::string("WriterVersion: 309\n"), std::string("PageTotal: 2\n"),
          std::string("PackedPages: ") + (compress ? "1" : "0") + "\n",
          std::string("Page 1: offset 128, length "),
          std::string("picture 21000 x 29700 (0.01 mm), 794 x 1123 pixels at 96 dpi\n"),
          std::string("picture 29700 x 21000 (0.01 mm), 1123 x 794 pixels at 96 dpi\n"),
          std::string("Paper: A4Small, portrait\n")})
      EXPECT_NE(info.out.find(line), std::string::npos) << line << "\n" << info.out;
    EXPECT_NE(info.out.find("WrittenAt: 20"), std::string::npos) << info.out;
    if (!compress) {
      EXPECT_NE(info.out.find("length " + std::to_string(8 + a4.size() + 4)), std::string::npos);
    }
    EXPECT_NE(info.out.find("Page 2: offset "), std::string::npos);

    const std::string out = folder.File("page2.emf");
    ASSERT_EQ(Tool({"extract", report, "2", out}).status, 0);
    EXPECT_EQ(ReadBytes(out), landscape);
  }
}

TEST(ReportTool, FailuresAndUsageErrors) {
  ScratchFolder folder;
  WriteBytes(folder.File("1.emf"), MakeTestEmf(21000, 29700, 0, 1));
  WriteBytes(folder.File("junk.emf"), std::vector<uint8_t>(200, 7));
  ASSERT_EQ(Tool({"pack", folder.File("r.orp"), folder.File("1.emf")}).status, 0);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string complaint;
  } cases[] = {
      {{}, 2, "usage: ormind-report info FILE"},
      {{"frobnicate"}, 2, "usage:"},
      {{"info"}, 2, "usage:"},
      {{"extract", folder.File("r.orp"), "two", "x.emf"}, 2, "usage:"},
      {{"pack", folder.File("o.orp")}, 2, "usage:"},
      {{"pack", folder.File("o.orp"), "--compress"}, 2, "usage:"},
      {{"info", folder.File("none.orp")}, 1, "ormind-report: Cannot open file \""},
      {{"info", folder.File("1.emf")}, 1, "ormind-report: Not a valid report file: "},
      {{"extract", folder.File("r.orp"), "2", folder.File("x.emf")}, 1,
       "ormind-report: Page 2 is not in \""},
      {{"pack", folder.File("o.orp"), folder.File("junk.emf")}, 1,
       "ormind-report: Not an enhanced metafile: \""},
  };
  for (const auto& c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.err.rfind(c.complaint, 0), 0u) << run.err;
    if (c.status == 1) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("o.orp")));
}

}  // namespace
}  // namespace ormind
