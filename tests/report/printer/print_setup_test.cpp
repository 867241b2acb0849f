// Print setup without the dialog: the pages offered, and what an accepted answer changes.
#include "report/printer/print_setup.h"

#include <gtest/gtest.h>

#include "tests/report/printer/printer_fakes.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

TEST(RptPrintSetup, PagesOfferedFollowTheFinishedPreview) {
  enum class State { NoPreview, Ready, Busy, Finished };
  const struct {
    State state;
    TRptPrintSetupPages pages;
  } cases[] = {
      {State::NoPreview, {0, 9999, 0, 0}},
      {State::Ready, {0, 9999, 0, 0}},
      {State::Busy, {0, 9999, 0, 0}},
      {State::Finished, {1, 3, 1, 3}},
  };
  for (const auto& c : cases) {
    testing::Log log;
    testing::FakeRecorder recorder(log);
    testing::FakeMessages messages(log);
    TRptPrinter printer(std::make_unique<testing::FakeDevice>(log), recorder, messages);
    if (c.state >= State::Busy) {
      printer.OpenDocument();
      for (int i = 0; i < 3; ++i) printer.NewPage();
    }
    if (c.state == State::Finished) printer.CloseDocument();
    EXPECT_EQ(PrintSetupPages(c.state == State::NoPreview ? nullptr : &printer), c.pages)
        << int(c.state);
  }
}

TEST(RptPrintSetup, AnAcceptedAnswerSetsCopiesPrinterOrientationAndRange) {
  using R = TRptPrintRange;
  const struct {
    R range;
    int32_t from, to;
    int32_t first, last;  // the report's range afterwards
  } cases[] = {
      {R::AllPages, 2, 3, 0, 0},
      {R::Selection, 2, 3, 0, 0},
      {R::PageNumbers, 2, 3, 2, 3},
  };
  for (const auto& c : cases) {
    testing::RecordingCanvas reference;
    TReport report{reference, TRptEngineSettings{}};
    report.PrinterSettings.FirstPage = 7;
    report.PrinterSettings.LastPage = 9;
    ApplyPrintSetup(report, {4, 1, TRptOrientation::Landscape, c.range, c.from, c.to});
    EXPECT_EQ(report.PrinterSettings.Copies, 4);
    EXPECT_EQ(report.PrinterSettings.PrinterIndex, 1);
    EXPECT_EQ(report.Page().Orientation(), TRptOrientation::Landscape);
    EXPECT_EQ(report.PrinterSettings.FirstPage, c.first) << int(c.range);
    EXPECT_EQ(report.PrinterSettings.LastPage, c.last) << int(c.range);
  }
}

}  // namespace
}  // namespace ormind
