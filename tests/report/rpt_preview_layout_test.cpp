#include "report/rpt_preview_layout.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

const TRptPreviewPage kA4{2100, 2970, 96 / 254.0L};
const TRptPreviewPage kNoPage{0, 0, 96 / 254.0L};

enum class Step { Zoom, FitPage, FitWidth, Refit };

TEST(RptPreviewLayout, ZoomFitAndPlacement) {
  const struct {
    const char* name;
    std::vector<std::pair<Step, int32_t>> steps;  // the zoom value for Step::Zoom
    TRptPreviewPage page;
    int32_t width, height;
    int32_t zoom;
    TRptZoomMode mode;
    TRptImagePlacement image;
  } cases[] = {
      {"100 %", {}, kA4, 1024, 650, 100, TRptZoomMode::zmCustom, {113, 0, 798, 1127}},
      {"fit width", {{Step::FitWidth, 0}}, kA4, 1024, 650, 116, TRptZoomMode::zmFitWidth,
       {49, 0, 925, 1306}},
      {"fit page", {{Step::FitPage, 0}}, kA4, 1024, 650, 55, TRptZoomMode::zmFitPage,
       {291, 14, 441, 621}},
      {"zoom limits", {{Step::Zoom, 2000}, {Step::Zoom, 2001}, {Step::Zoom, 1}}, kA4, 1024, 650,
       2000, TRptZoomMode::zmCustom, {0, 0, 15878, 22454}},
      {"lowest zoom", {{Step::Zoom, 2}}, kA4, 1024, 650, 2, TRptZoomMode::zmCustom,
       {502, 312, 20, 26}},
      {"tiny window", {{Step::Zoom, 50}, {Step::FitPage, 0}}, kA4, 10, 10, 50,
       TRptZoomMode::zmFitPage, {0, 0, 401, 565}},
      {"tiny width", {{Step::Zoom, 50}, {Step::FitWidth, 0}}, kA4, 12, 650, 50,
       TRptZoomMode::zmFitWidth, {0, 42, 401, 565}},
      {"no page yet", {{Step::FitWidth, 0}, {Step::FitPage, 0}}, kNoPage, 1024, 650, 100,
       TRptZoomMode::zmFitPage, {510, 323, 4, 4}},
      {"no page width yet", {{Step::FitPage, 0}}, {0, 2970, 96 / 254.0L}, 1024, 650, 100,
       TRptZoomMode::zmFitPage, {510, 0, 4, 1127}},
      {"refit keeps the mode", {{Step::FitWidth, 0}, {Step::Refit, 0}}, kA4, 512, 650, 58,
       TRptZoomMode::zmFitWidth, {24, 0, 464, 655}},
      {"zoom ends fitting", {{Step::FitPage, 0}, {Step::Zoom, 100}, {Step::Refit, 0}}, kA4, 1024,
       650, 100, TRptZoomMode::zmCustom, {113, 0, 798, 1127}},
  };
  for (const auto& c : cases) {
    TRptPreviewLayout layout;
    for (const auto& [step, zoom] : c.steps) {
      switch (step) {
        case Step::Zoom: layout.SetZoomPercent(zoom); break;
        case Step::FitPage: layout.FitPage(c.page, c.width, c.height); break;
        case Step::FitWidth: layout.FitWidth(c.page, c.width); break;
        case Step::Refit: layout.Refit(c.page, c.width, c.height); break;
      }
    }
    EXPECT_EQ(layout.Zoom(), c.zoom) << c.name;
    EXPECT_EQ(layout.ZoomMode(), c.mode) << c.name;
    EXPECT_EQ(layout.LayoutPage(c.page, c.width, c.height), c.image) << c.name;
  }
}

TEST(RptPreviewLayout, ProgressTexts) {
  const struct {
    int32_t progress;
    std::optional<std::string> status, form;
  } sequence[] = {
      {0, "", "0%  Completed"}, {3, std::nullopt, std::nullopt}, {5, "5%", "5%  Completed"},
      {9, std::nullopt, std::nullopt}, {12, "12%", std::nullopt}, {10, std::nullopt, "10%  Completed"},
      {100, "", "100%  Completed"},
  };
  TRptProgressStatus status;
  for (const auto& s : sequence) {
    EXPECT_EQ(status.Update(s.progress), s.status) << s.progress;
    EXPECT_EQ(ProgressFormText(s.progress), s.form) << s.progress;
  }
  EXPECT_EQ(PageInfoText(2, 5), "Page 2 of 5");
}

TEST(RptPreviewLayout, Keys) {
  using K = TRptPreviewKey;
  using C = TRptPreviewCommand;
  const struct {
    K key;
    uint32_t modifiers;
    C command;
  } cases[] = {
      {K::Escape, kmShift | kmAlt, C::Close},      {K::PageUp, kmCtrl, C::FirstPage},
      {K::PageUp, 0, C::PrevPage},                  {K::PageUp, kmCtrl | kmShift, C::PrevPage},
      {K::PageDown, kmCtrl, C::LastPage},           {K::PageDown, kmCtrl | kmShift, C::NextPage},
      {K::PageDown, kmAlt, C::NextPage},            {K::PageDown, kmCtrl | kmLeftButton, C::NextPage},
      {K::Home, kmCtrl | kmAlt, C::FirstPage},      {K::End, kmShift, C::LastPage},
      {K::Other, kmCtrl, C::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewKeyCommand(c.key, c.modifiers), c.command)
        << int(c.key) << " " << c.modifiers;
  }
}

TEST(RptPreviewLayout, ToolbarFollowsThePrinter) {
  using P = TRptPrinterPhase;
  const struct {
    TRptPreviewPrinterState state;
    TRptToolbarStates buttons;
  } cases[] = {
      {{P::Ready}, {}},
      {{P::Busy}, {}},
      {{P::Finished}, {true, true, true, true}},
      {{P::Finished, true}, {false, true, true, true}},
      {{P::Finished, false, true}, {}},
      {{P::Finished, false, false, false}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToolbarStates(c.state), c.buttons) << int(c.state.Phase) << c.state.FromFile
                                                 << c.state.OperationRunning;
  }
}

}  // namespace
}  // namespace ormind
