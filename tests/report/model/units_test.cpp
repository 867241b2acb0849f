// Rounding, unit conversion, the page's paper and defaults, and what the system answers select.
#include <gtest/gtest.h>

#include "report/model/engine_settings.h"
#include "report/model/units.h"

namespace ormind {
namespace {

TEST(RptUnits, RoundsHalvesToEvenAndConvertsPointsAndUnits) {
  const struct { long double v; int64_t rounded; } rounding[] = {
      {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {2.5000001L, 3}, {-0.5L, 0}, {-1.5L, -2}, {1121.0L, 1121}};
  for (const auto& c : rounding) EXPECT_EQ(RptRound(c.v), c.rounded) << double(c.v);

  const struct { int32_t points, ppi, pixels; } fonts[] = {
      {24, 120, 40}, {20, 120, 33}, {18, 120, 30}, {24, 96, 32}, {20, 96, 27}, {10, 96, 13}};
  for (const auto& c : fonts) EXPECT_EQ(PointsToPixels(c.points, c.ppi), c.pixels) << c.points;

  const TRptUnitScale scale{120, 200, 10};
  const struct { TRptUnit unit; long double shown; } units[] = {
      {TRptUnit::MM, 25.4L}, {TRptUnit::Inches, 1}, {TRptUnit::Pixels, 240}, {TRptUnit::Native, 254}};
  for (const auto& c : units) {
    EXPECT_NEAR(double(scale.FromStored(254, c.unit, false)), double(c.shown), 1e-9);
    EXPECT_NEAR(double(scale.ToStored(c.shown, c.unit, false)), 254, 1e-9);
  }
}

TEST(RptUnits, MeasurementSystemAndColoursSelectDefaults) {
  const struct {
    std::string measurement;
    int64_t colours;
    TRptUnit unit;
    TRptPaperSize paper;
    long double margin;
    bool rich;
  } cases[] = {
      {"1", 257, TRptUnit::Inches, TRptPaperSize::Letter, 127, true},
      {"0", 256, TRptUnit::MM, TRptPaperSize::A4, 100, false},
      {"", -1, TRptUnit::MM, TRptPaperSize::A4, 100, true},  // unreadable; more than countable
      {"10", 16, TRptUnit::MM, TRptPaperSize::A4, 100, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.measurement);
    const TRptEngineSettings engine = InitReportUnits(c.measurement, c.colours);
    const TRptPage page(engine.PageDefaults(), {});
    EXPECT_EQ(page.Units(), c.unit);
    EXPECT_EQ(page.PaperSize(), c.paper);
    EXPECT_EQ(page.StoredLeftMargin(), c.margin);
    EXPECT_EQ(page.StoredBottomMargin(), c.margin);
    EXPECT_EQ(engine.RichColours, c.rich);
  }
}

TEST(RptUnits, PaperSizeAndOrientationSetThePage) {
  TRptPage page(PageDefaultsFor(false), {});
  page.SetUnits(TRptUnit::Native);
  page.SetWidth(1000);  // ignored: only a custom paper takes a width
  EXPECT_EQ(page.StoredWidth(), 2100);
  page.SetOrientation(TRptOrientation::Landscape);
  EXPECT_EQ(page.StoredWidth(), 2970);
  EXPECT_EQ(page.StoredLength(), 2100);
  page.SetPaperSize(TRptPaperSize::Custom);
  page.SetWidth(1000);
  EXPECT_EQ(page.StoredWidth(), 1000);
  page.SetColumns(0);
  EXPECT_EQ(page.Columns(), 1);
  page.SetLeftMargin(600);
  page.SetRightMargin(500);
  page.ClearOversizedMargins();
  EXPECT_EQ(page.StoredLeftMargin() + page.StoredRightMargin(), 0);
  EXPECT_EQ(page.StoredTopMargin(), 100);
}

}  // namespace
}  // namespace ormind
