// Page generation: how many pages a run makes, cancelling, errors inside a run, and the text
// controls' sizing and stretching.
#include <gtest/gtest.h>

#include <stdexcept>

#include "report/model/image.h"
#include "report/model/label.h"
#include "report/model/report.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::FakePageTarget;
using testing::RecordingCanvas;

// An A4 report with 10 mm margins, a title band and a detail band (each 50 mm by default)
// and one label on the title band.
struct SmallReport {
  RecordingCanvas reference;
  TReport report{reference, TRptEngineSettings{}};
  TRptBand title{report, TRptBandType::rbTitle};
  TRptBand detail{report, TRptBandType::rbDetail};
  TRptLabel label{report};

  explicit SmallReport(long double titleHeight = 500) {
    title.ReadSizeValues({titleHeight, 0});
    detail.ReadSizeValues({1000, 0});
    report.AddBand(title);
    report.AddBand(detail);
    TRptFont font;
    font.Height = -20;
    label.SetFont(font);
    label.ReadSizeValues({60, 0, 0, 400});
    title.Add(label);
    report.Loaded();
  }
  void Records(int count) {
    report.OnNeedData = [this, count](bool& more) { more = asked++ < count; };
  }
  int asked = 0;
};

TEST(RptPageRun, MakesAPageWhenNeededAndNoneWhenEmptyIsNotPrinted) {
  const struct {
    bool printIfEmpty;
    int records;  // -1: no data handler
    int pages;
  } cases[] = {
      {true, -1, 1}, {false, -1, 0}, {true, 2, 1}, {true, 3, 2}, {false, 0, 1}, {true, 5, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.printIfEmpty << " " << c.records);
    SmallReport r;
    r.report.PrintIfEmpty = c.printIfEmpty;
    if (c.records >= 0) r.Records(c.records);
    FakePageTarget target;
    r.report.GeneratePages(target);
    EXPECT_EQ(target.pages, c.pages);
    EXPECT_EQ(r.report.PageCount(), c.pages);
    EXPECT_EQ(target.opened, 1);
    EXPECT_EQ(target.closed, 1);
    EXPECT_TRUE(r.report.Available());
  }
}

TEST(RptPageRun, CancelStopsBeforeTheNextBandOrPageAndAbandonsTheDocument) {
  const struct {
    const char* name;
    std::function<void(FakePageTarget&, TReport&)> onPump, onNewPage;
    int pages;
  } cases[] = {
      {"printer cancel before the first band", [](FakePageTarget& t, TReport&) { t.cancel = true; },
       {}, 0},
      {"printer cancel on page 2", {},
       [](FakePageTarget& t, TReport&) { t.cancel = t.pages == 2; }, 2},
      {"report cancelled on page 1", {}, [](FakePageTarget&, TReport& r) { r.Cancel(); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SmallReport r;
    r.Records(1000);
    FakePageTarget target;
    target.onPump = [&](FakePageTarget& t) { if (c.onPump) c.onPump(t, r.report); };
    size_t drawnAtCancel = 0;
    target.onNewPage = [&](FakePageTarget& t) {
      if (c.onNewPage) c.onNewPage(t, r.report);
      drawnAtCancel = t.canvas.fills.size();
    };
    r.report.GeneratePages(target);
    EXPECT_EQ(target.canvas.fills.size(), drawnAtCancel);  // no band after the cancel
    EXPECT_EQ(target.pages, c.pages);
    EXPECT_EQ(target.abandoned, 1);
    EXPECT_EQ(target.closed, 0);
    EXPECT_LT(r.asked, 10);
    EXPECT_TRUE(r.report.Available());
  }
}

TEST(RptPageRun, AnErrorInsideARunLeavesTheReportUsable) {
  SmallReport r;
  r.label.SetCaption("text");
  r.label.OnPrint = [](TRptLabel&, std::string&) { throw std::runtime_error("broken"); };
  FakePageTarget failing;
  EXPECT_THROW(r.report.GeneratePages(failing), std::runtime_error);
  EXPECT_EQ(failing.closed + failing.abandoned, 1);
  EXPECT_TRUE(r.report.Available());
  EXPECT_FALSE(r.report.Generating());
  EXPECT_FALSE(r.label.Printing());
  EXPECT_EQ(r.report.Page().Units(), TRptUnit::MM);
  EXPECT_EQ(r.label.Size().Units(), TRptUnit::MM);
  EXPECT_EQ(r.label.Caption(), "text");

  r.label.OnPrint = nullptr;
  FakePageTarget next;
  r.report.GeneratePages(next);
  EXPECT_EQ(next.pages, 1);
  ASSERT_EQ(next.canvas.texts.size(), 1u);
  EXPECT_EQ(next.canvas.texts[0].Text, "text");
}

TEST(RptPageRun, AStretchingLabelContinuesOnTheNextPageOneLineAtATime) {
  const struct { bool stretch; int pages; size_t drawn; } cases[] = {{true, 3, 3}, {false, 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stretch);
    SmallReport r(2770);  // the title band fills the space between the margins
    r.detail.Enabled = false;
    r.label.AutoStretch = c.stretch;
    r.label.SetCaption("a\rb\rc");
    FakePageTarget target;
    r.report.GeneratePages(target);
    EXPECT_EQ(target.pages, c.pages);
    ASSERT_EQ(target.canvas.texts.size(), c.drawn);
    for (const auto& text : target.canvas.texts) EXPECT_EQ(text.Y, target.canvas.texts[0].Y);
  }
}

TEST(RptLabel, AutoSizeKeepsTheTextsEdgeOrCentreAndGrowsToOneLine) {
  const struct {
    TRptAlignment align;
    bool toBand, rightToLeft;
    int32_t left;
  } cases[] = {
      {TRptAlignment::taCenter, true, false, (718 - 31) / 2},  // band: 794 - 2 x 38 pixels
      {TRptAlignment::taRightJustify, false, false, 100 + 200 - 31},
      {TRptAlignment::taCenter, false, false, 100 + (200 - 31) / 2},
      {TRptAlignment::taLeftJustify, false, false, 100},
      {TRptAlignment::taLeftJustify, false, true, 100 + 200 - 31},
      {TRptAlignment::taRightJustify, true, true, 718 - 31},  // the band places it as set
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.align) << c.toBand << c.rightToLeft);
    SmallReport r;
    r.label.SetAutoSize(false);
    r.label.SetBounds({100, 0, 200, 5});
    r.label.SetAlignment(c.align);
    r.label.BiDiMode = c.rightToLeft ? TRptBiDiMode::bdRightToLeft : TRptBiDiMode::bdLeftToRight;
    r.label.SetAlignToBand(c.toBand);
    r.label.SetAutoSize(true);
    r.label.SetCaption("abc");
    EXPECT_EQ(r.label.Bounds().Width, 31);
    EXPECT_EQ(r.label.Bounds().Left, c.left);
    EXPECT_EQ(r.label.Bounds().Height, 21);
  }
}

TEST(RptImage, StretchesIntoItsBoxOrKeepsItsNaturalSizeClippedToIt) {
  const TRptRect box{76, 57, 227, 132};  // 100, 50, 400 x 200 tenths below the 10 mm margins
  const struct { bool stretch, center; TRptRect drawn; size_t clips; } cases[] = {
      {true, false, box, 0},
      {false, false, {76, 57, 116, 77}, 1},  // 40 x 20 pixels stay 40 x 20 at the same resolution
      {false, true, {76 + 55, 57 + 27, 116 + 55, 77 + 27}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.stretch << c.center);
    SmallReport r;
    TRptPictureFormats formats;
    TRptImage image(r.report, formats);
    image.Stretch = c.stretch;
    image.Center = c.center;
    image.Picture().SetGraphic(std::make_unique<testing::FakeGraphic>(40, 20));
    image.ReadSizeValues({200, 100, 50, 400});
    r.title.Add(image);
    FakePageTarget target;
    r.report.GeneratePages(target);
    ASSERT_EQ(target.canvas.graphics.size(), 1u);
    EXPECT_EQ(target.canvas.graphics[0], c.drawn);
    ASSERT_EQ(target.canvas.clips.size(), c.clips);
    if (c.clips != 0) {
      EXPECT_EQ(target.canvas.clips[0], box);
    }
  }
}

TEST(RptPrintable, LengthsSetInTheReportsUnitMoveControlsAndBands) {
  SmallReport r;  // millimetres, 96 pixels per inch, 10 mm margins
  r.label.Size().SetTop(25.4L);
  r.label.Size().SetWidth(50.8L);
  EXPECT_EQ(r.label.Bounds().Top, 96);
  EXPECT_EQ(r.label.Bounds().Width, 192);
  r.title.Size().SetHeight(25.4L);
  EXPECT_EQ(r.title.Bounds().Height, 96);
  EXPECT_EQ(r.detail.Bounds().Top, 38 + 96);
}

TEST(RptFrame, SideThicknessFollowsPointsAtTheDeviceResolution) {
  const struct { int32_t width; long double factor; int32_t thickness; } cases[] = {
      {1, 96 / 254.0L, 1}, {2, 96 / 254.0L, 3}, {1, 600 / 254.0L, 8}, {-1, 600 / 254.0L, 1},
      {0, 600 / 254.0L, 0}, {1, 30 / 254.0L, 1}};
  for (const auto& c : cases) {
    TRptFrame frame;
    frame.Width = c.width;
    EXPECT_EQ(frame.Thickness(c.factor), c.thickness) << c.width << " " << double(c.factor);
  }
}

}  // namespace
}  // namespace ormind
