#include "report/win32/preview/rules/preview_layout.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

enum class Step { Zoom, FitPage, FitWidth, Refit };

// A4 at 96 pixels per inch: 794 x 1123 pixels at 100 %.
TEST(RptPreviewLayout, ZoomFitAndPlacement) {
  const TRptPreviewPage a4{2100, 2970, 96 / 254.0L};
  const TRptPreviewPage none{0, 0, a4.Factor}, noWidth{0, 2970, a4.Factor};
  using M = TRptZoomMode;
  const struct {
    const char* name;
    std::vector<std::pair<Step, int32_t>> steps;  // the zoom value for Step::Zoom
    TRptPreviewPage page;
    int32_t width, height, zoom;
    M mode;
    TRptImagePlacement image;
  } cases[] = {
      {"fit width", {{Step::FitWidth, 0}}, a4, 1024, 650, 116, M::zmFitWidth, {49, 0, 925, 1306}},
      {"fit page", {{Step::FitPage, 0}}, a4, 1024, 650, 55, M::zmFitPage, {291, 14, 441, 621}},
      {"zoom limits", {{Step::Zoom, 2000}, {Step::Zoom, 2001}, {Step::Zoom, 1}}, a4, 1024, 650,
       2000, M::zmCustom, {0, 0, 15878, 22454}},
      {"lowest zoom", {{Step::Zoom, 2}}, a4, 1024, 650, 2, M::zmCustom, {502, 312, 20, 26}},
      {"tiny window", {{Step::Zoom, 50}, {Step::FitPage, 0}}, a4, 10, 10, 50, M::zmFitPage,
       {0, 0, 401, 565}},
      {"tiny width", {{Step::Zoom, 50}, {Step::FitWidth, 0}}, a4, 12, 650, 50, M::zmFitWidth,
       {0, 42, 401, 565}},
      {"no page yet", {{Step::FitWidth, 0}, {Step::FitPage, 0}}, none, 1024, 650, 100,
       M::zmFitPage, {510, 323, 4, 4}},
      {"no page width yet", {{Step::FitPage, 0}}, noWidth, 1024, 650, 100, M::zmFitPage,
       {510, 0, 4, 1127}},
      {"refit keeps the mode", {{Step::FitWidth, 0}, {Step::Refit, 0}}, a4, 512, 650, 58,
       M::zmFitWidth, {24, 0, 464, 655}},
      {"zoom ends fitting", {{Step::FitPage, 0}, {Step::Zoom, 100}, {Step::Refit, 0}}, a4, 1024,
       650, 100, M::zmCustom, {113, 0, 798, 1127}},
  };
  for (const auto& c : cases) {
    TRptPreviewLayout layout;
    for (const auto& [step, zoom] : c.steps) {
      if (step == Step::Zoom) layout.SetZoomPercent(zoom);
      if (step == Step::FitPage) layout.FitPage(c.page, c.width, c.height);
      if (step == Step::FitWidth) layout.FitWidth(c.page, c.width);
      if (step == Step::Refit) layout.Refit(c.page, c.width, c.height);
    }
    EXPECT_EQ(std::pair(layout.Zoom(), layout.ZoomMode()), std::pair(c.zoom, c.mode)) << c.name;
    EXPECT_EQ(layout.LayoutPage(c.page, c.width, c.height), c.image) << c.name;
  }
}

TEST(RptPreviewLayout, ProgressTexts) {
  using S = std::optional<std::string>;
  const std::tuple<int32_t, S, S> sequence[] = {
      {0, "", "0%  Completed"},   {3, {}, {}},   {5, "5%", "5%  Completed"}, {9, {}, {}},
      {12, "12%", {}},            {10, {}, "10%  Completed"},   {100, "", "100%  Completed"},
  };
  TRptProgressStatus status;
  for (const auto& [progress, shown, form] : sequence) {
    EXPECT_EQ(status.Update(progress), shown) << progress;
    EXPECT_EQ(ProgressFormText(progress), form) << progress;
  }
  EXPECT_EQ(PageInfoText(2, 5), "Page 2 of 5");
}

TEST(RptPreviewLayout, Keys) {
  using K = TRptPreviewKey;
  using C = TRptPreviewCommand;
  const std::tuple<K, uint32_t, C> cases[] = {
      {K::Escape, kmShift | kmAlt, C::Close},   {K::PageUp, kmCtrl, C::FirstPage},
      {K::PageUp, 0, C::PrevPage},               {K::PageUp, kmCtrl | kmShift, C::PrevPage},
      {K::PageDown, kmCtrl, C::LastPage},        {K::PageDown, kmCtrl | kmShift, C::NextPage},
      {K::PageDown, kmAlt, C::NextPage},         {K::PageDown, kmCtrl | kmLeftButton, C::NextPage},
      {K::Home, kmCtrl | kmAlt, C::FirstPage},   {K::End, kmShift, C::LastPage},
      {K::Other, kmCtrl, C::None},
  };
  for (const auto& [key, modifiers, command] : cases) {
    EXPECT_EQ(PreviewKeyCommand(key, modifiers), command) << int(key) << " " << modifiers;
  }
}

TEST(RptPreviewLayout, ToolbarFollowsThePrinter) {
  using P = TRptPrinterPhase;
  const std::pair<TRptPreviewPrinterState, TRptToolbarStates> cases[] = {
      {{P::Ready}, {}},
      {{P::Busy}, {}},
      {{P::Finished}, {true, true, true, true}},
      {{P::Finished, true}, {false, true, true, true}},   // loaded from a file
      {{P::Finished, false, true}, {}},                   // a print or dialog holds it
      {{P::Finished, false, false, false}, {}},           // released
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ToolbarStates(cases[i].first), cases[i].second) << i;
  }
}

TEST(PreviewToolbar, GlyphsOf32PixelsFrom150PercentOn) {
  const struct { int32_t dpi, size; } cases[] = {
      {96, 16}, {120, 16}, {143, 16}, {144, 32}, {192, 32}, {288, 32}};
  for (const auto& c : cases) EXPECT_EQ(ToolbarGlyphSize(c.dpi), c.size) << c.dpi;
}

}  // namespace
}  // namespace ormind
