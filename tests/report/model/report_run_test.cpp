// Runs of a whole report: a second run of the same report, the first page's page header,
// bands in several columns, and text inside a framed label. The page target works at 254
// pixels per inch, so that its device units are the run's tenths of a millimetre.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/model/label.h"
#include "report/model/report.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::FakePageTarget;
using testing::RecordingCanvas;

constexpr int32_t kTenthsPerInch = 254;

// An A4 report with 10 mm margins: a page header (20 mm), a title (50 mm) and a detail band
// (100 mm, one per record) with a label on it. The reference canvas also measures in tenths
// of a millimetre, so band widths come out exact.
struct ColumnReport {
  RecordingCanvas reference{kTenthsPerInch};
  TReport report{reference, TRptEngineSettings{}};
  TRptBand pageHeader{report, TRptBandType::rbPageHeader};
  TRptBand title{report, TRptBandType::rbTitle};
  TRptBand detail{report, TRptBandType::rbDetail};
  TRptLabel label{report};
  int records = 0, asked = 0;
  std::vector<std::string> pageNumbers, headerPages;

  ColumnReport() {
    pageHeader.ReadSizeValues({200, 0});
    title.ReadSizeValues({500, 0});
    detail.ReadSizeValues({1000, 0});
    for (TRptBand* band : {&pageHeader, &title, &detail}) report.AddBand(*band);
    TRptFont font;
    font.Height = -20;
    label.SetFont(font);
    label.ReadSizeValues({60, 0, 0, 400});
    label.SetCaption("x");
    detail.Add(label);
    report.Loaded();
    report.OnNeedData = [this](bool& more) { more = asked++ < records; };
    report.OnStartPage = [this](TCustomReport& r) { pageNumbers.push_back(r.Functions["PAGENUMBER"]); };
    pageHeader.BeforePrint = [this](TRptCustomBand&, bool&) {
      headerPages.push_back(report.Functions["PAGENUMBER"]);
    };
  }
  void Run(FakePageTarget& target, int recordCount) {
    records = recordCount;
    asked = 0;
    pageNumbers.clear();
    headerPages.clear();
    report.GeneratePages(target);
  }
};

// The band fills of one height, as {left, right} pairs in the order drawn.
std::vector<std::pair<int32_t, int32_t>> FillsOfHeight(const RecordingCanvas& canvas, int32_t height) {
  std::vector<std::pair<int32_t, int32_t>> out;
  for (const TRptRect& r : canvas.fills)
    if (r.Bottom - r.Top == height) out.push_back({r.Left, r.Right});
  return out;
}

TEST(RptReportRun, ASecondRunStartsAgainFromPageOneAndDrawsTheSamePages) {
  ColumnReport r;
  FakePageTarget first(kTenthsPerInch), second(kTenthsPerInch);
  r.Run(first, 5);
  const std::vector<std::string> firstNumbers = r.pageNumbers;
  const int32_t firstCount = r.report.PageCount();
  r.Run(second, 5);
  EXPECT_EQ(firstNumbers, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(r.pageNumbers, firstNumbers);
  EXPECT_EQ(firstCount, 3);
  EXPECT_EQ(r.report.PageCount(), 3);
  EXPECT_EQ(second.pages, first.pages);
  EXPECT_EQ(second.canvas.fills, first.canvas.fills);
  ASSERT_EQ(second.canvas.texts.size(), first.canvas.texts.size());
  for (size_t i = 0; i < first.canvas.texts.size(); ++i) {
    EXPECT_EQ(second.canvas.texts[i].X, first.canvas.texts[i].X) << i;
    EXPECT_EQ(second.canvas.texts[i].Y, first.canvas.texts[i].Y) << i;
  }
}

TEST(RptReportRun, TheFirstPagesHeaderPrintsOnlyWithItsOption) {
  const struct {
    uint32_t options;
    std::vector<std::string> headerPages;
    int32_t titleTop;  // the page header (200) comes before the title when it prints
  } cases[] = {
      {FirstPageHeader | LastPageFooter, {"1", "2", "3"}, 100 + 200},
      {LastPageFooter, {"2", "3"}, 100},
      {FirstPageHeader, {"1", "2", "3"}, 100 + 200},
      {0, {"2", "3"}, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    ColumnReport r;
    r.report.Options = c.options;
    FakePageTarget target(kTenthsPerInch);
    r.Run(target, 5);
    EXPECT_EQ(r.headerPages, c.headerPages);
    const auto titleFill = std::find_if(target.canvas.fills.begin(), target.canvas.fills.end(),
                                        [](const TRptRect& f) { return f.Bottom - f.Top == 500; });
    ASSERT_NE(titleFill, target.canvas.fills.end());
    EXPECT_EQ(titleFill->Top, c.titleTop);
  }
}

TEST(RptReportRun, BandsInColumnsShareTheWidthLessTheColumnSpaces) {
  // The paper is 2100 wide, 1900 between the margins. Two details fit in a column below the
  // title (100 + 200 + 500 + 2 x 1000 <= 2870), the next one starts the next column.
  const struct {
    int32_t columns;
    long double spaceMm;
    int32_t detailWidth;
    std::vector<int32_t> columnLefts;
  } cases[] = {
      {1, 0, 1900, {100}},
      {1, 30, 1900, {100}},  // a single column has no space to leave
      {2, 10, 900, {100, 1100}},
      {2, 0, 950, {100, 1050}},
      {3, 5, 600, {100, 750, 1400}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.columns << " columns, " << double(c.spaceMm) << " mm");
    ColumnReport r;
    r.report.Page().SetColumns(c.columns);
    r.report.Page().SetColumnSpace(c.spaceMm);
    r.report.LayoutBands();
    EXPECT_EQ(r.detail.Bounds().Width, c.detailWidth);
    EXPECT_EQ(r.title.Bounds().Width, 1900);       // the title spans every column
    EXPECT_EQ(r.pageHeader.Bounds().Width, 1900);  // and so does the page header

    FakePageTarget target(kTenthsPerInch);
    r.Run(target, 2 * c.columns);
    EXPECT_EQ(target.pages, 1);
    std::vector<std::pair<int32_t, int32_t>> expected;
    for (int32_t left : c.columnLefts)
      for (int record = 0; record < 2; ++record) expected.push_back({left, left + c.detailWidth});
    EXPECT_EQ(FillsOfHeight(target.canvas, 1000), expected);
    EXPECT_EQ(FillsOfHeight(target.canvas, 500),
              (std::vector<std::pair<int32_t, int32_t>>{{100, 2000}}));
  }
}

TEST(RptLabel, TextInsideAFrameIsInsetByTheFramesWidth) {
  const struct {
    bool left, top, right, bottom;
    int32_t width;  // points; -1 one device pixel
    int32_t ppi;
    int32_t dx, dy;  // device units, against the same label without a frame
  } cases[] = {
      {false, false, false, false, 2, 254, 0, 0},
      {true, false, false, false, 1, 254, 4, 0},  // 1 pt = 3.5 tenths of a millimetre
      {false, true, false, false, 1, 254, 0, 4},
      {true, true, false, false, 2, 254, 7, 7},
      {false, false, true, true, 3, 254, 0, 0},  // right and bottom sides leave the text be
      {true, true, true, true, 1, 600, 10, 9},  // the label stands at 100, 800 tenths
      {true, true, false, false, -1, 600, 1, 1},
      {true, true, false, false, -1, 254, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left << c.top << c.right << c.bottom << " " << c.width
                                      << " pt at " << c.ppi);
    const auto textAt = [&](bool framed) {
      ColumnReport r;
      r.label.Frame.DrawLeft = framed && c.left;
      r.label.Frame.DrawTop = framed && c.top;
      r.label.Frame.DrawRight = framed && c.right;
      r.label.Frame.DrawBottom = framed && c.bottom;
      r.label.Frame.Width = c.width;
      FakePageTarget target(c.ppi);
      r.Run(target, 1);
      EXPECT_EQ(target.canvas.texts.size(), 1u);
      return target.canvas.texts.empty() ? testing::DrawnText{} : target.canvas.texts[0];
    };
    const testing::DrawnText plain = textAt(false), framed = textAt(true);
    EXPECT_EQ(framed.X - plain.X, c.dx);
    EXPECT_EQ(framed.Y - plain.Y, c.dy);
  }
}

}  // namespace
}  // namespace ormind
