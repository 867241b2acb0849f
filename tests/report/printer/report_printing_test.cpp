// The report's preview and print operations against fake printers and a scripted message queue:
// which printer each notice acts on, and that every printer made is freed exactly once.
#include <gtest/gtest.h>

#include "tests/report/printer/printer_fakes.h"
#include "report/printer/report_printing.h"
#include "tests/report/model/report_fakes.h"

namespace ormind {
namespace {

using testing::FakeDevice;
using testing::FakeMessages;
using testing::FakeRecorder;
using testing::Log;

// A page printer's device that counts the printers alive.
struct CountedDevice : FakeDevice {
  CountedDevice(Log& log, int& alive) : FakeDevice(log), alive(alive) { ++alive; }
  ~CountedDevice() override { --alive; }
  int& alive;
};

// One report with one band, run through the operations. Each scripted step is what a user does
// at that point: "close" closes the preview (the close notice names the preview's printer),
// "print" presses Print, "preview" presses the editor's print button again, "stray" delivers a
// close notice naming some other printer.
struct Journey {
  Log log;
  int alive = 0;
  int made = 0;
  int previewsShown = 0;
  std::vector<std::string> printers{"PDF"};  // the list each page printer's device gives
  FakeRecorder recorder{log};
  FakeMessages messages{log};
  testing::RecordingCanvas reference{96};
  TReport report{reference, TRptEngineSettings{}};
  TRptBand band{report, TRptBandType::rbTitle};
  TRptReportPrinting printing{report, Platform()};
  std::map<int, std::string> waits;  // what happens at the n-th wait for a message
  int waitCount = 0;
  bool quit = false;

  Journey() {
    band.ReadSizeValues({100, 2100});
    report.AddBand(band);
    report.Loaded();
    printing.Attach();
  }

  TRptPrintingPlatform Platform() {
    TRptPrintingPlatform p;
    p.MakeDevice = [this] {
      ++made;
      auto device = std::make_unique<CountedDevice>(log, alive);
      device->logDetails = true;
      device->printers = printers;
      return device;
    };
    p.Recorder = &recorder;
    p.Messages = &messages;
    p.ReportWindow = 7;
    p.ShowPreview = [this](TRptPrinter& printer) {
      ++previewsShown;
      printer.SetPreviewShown(true);
    };
    p.ClosePreview = [this](TRptPrinter&) { waits[waitCount + 1] = "close"; };
    p.HandleOneMessage = [this] {
      const auto it = waits.find(++waitCount);
      if (it != waits.end()) Do(it->second);
      return !quit && waitCount < 50;
    };
    return p;
  }

  void Do(const std::string& what) {
    TRptPrinter* shown = printing.PreviewPrinter();
    if (what == "close" && shown) {
      shown->SetPreviewShown(false);
      printing.PreviewClosed(shown);
    } else if (what == "print") {
      printing.PrintToPrinter();
    } else if (what == "preview") {
      report.Preview();
    } else if (what == "stray") {
      FakeDevice other(log);
      printing.PreviewClosed(reinterpret_cast<TRptPrinter*>(&other));
    } else if (what == "quit") {
      quit = true;
    }
  }
};

TEST(ReportPrinting, EachPrinterIsFreedOnceAndOnlyTheNamedOneIsReleased) {
  const struct {
    const char* name;
    std::map<int, std::string> pumps;  // during the preview's generation
    std::map<int, std::string> waits;  // while the preview is shown
    int made, shown, pagesDrawn;
    bool openAfter;
    int waits_handled;  // the preview stayed open until then
  } cases[] = {
      {"closed after the page is shown", {}, {{2, "close"}}, 1, 1, 1, false, 2},
      {"closed while the page is generated", {{4, "close"}}, {}, 1, 1, 0, false, 0},
      {"closed before the run starts", {{2, "close"}}, {}, 1, 1, 0, false, 0},
      {"second print button press while open",
       {},
       {{1, "preview"}, {2, "close"}},
       1,
       1,
       1,
       false,
       2},
      {"a notice naming another printer", {}, {{1, "stray"}, {3, "close"}}, 1, 1, 1, false, 3},
      {"printed, then closed", {}, {{1, "print"}, {2, "close"}}, 2, 1, 1, false, 2},
      {"program ends with the preview open", {}, {{1, "quit"}}, 1, 1, 1, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Journey j;
    j.waits = c.waits;
    for (const auto& [pump, what] : c.pumps) j.messages.script[pump] = [&j, w = what] { j.Do(w); };
    j.report.Preview();
    EXPECT_EQ(j.made, c.made);
    EXPECT_EQ(j.previewsShown, c.shown);
    EXPECT_EQ(j.printing.PreviewOpen(), c.openAfter);
    EXPECT_EQ(j.alive, c.openAfter ? 1 : 0);
    EXPECT_EQ(j.recorder.pages, c.pagesDrawn);
    EXPECT_TRUE(j.report.Available());
    EXPECT_EQ(j.waitCount, c.waits_handled);
    // Once closed, the next print button press opens a fresh preview.
    if (!c.openAfter) {
      j.waits = {{j.waitCount + 1, "close"}};
      j.report.Preview();
      EXPECT_EQ(j.previewsShown, c.shown + 1);
      EXPECT_EQ(j.alive, 0);
    }
  }
}

TEST(ReportPrinting, ClosingThePreviewDuringAPrintLetsItFinishAndFreesBothPrinters) {
  Journey k;
  k.waits = {{1, "print"}};
  // Pumps 1 to 6 belong to the preview (its printer's start, the run); 7 and 8 start the
  // print's printer, 9 comes from the print's run.
  k.messages.script[9] = [&k] { k.Do("close"); };
  k.report.Preview();
  EXPECT_EQ(k.made, 2);
  EXPECT_EQ(k.alive, 0);
  EXPECT_FALSE(k.printing.PreviewOpen());
  EXPECT_TRUE(k.report.Available());
  // The print runs on its own printer: closing the preview does not stop it.
  EXPECT_EQ(std::count(k.log.begin(), k.log.end(), "EndJob"), 1);
  EXPECT_EQ(std::count(k.log.begin(), k.log.end(), "Abort"), 0);
}

TEST(ReportPrinting, APreviewClosedBeforeTheRunBeginsGetsNothingGenerated) {
  // Pump 1 comes from making the printer; the second runs between the preview's opening and
  // the start of its generation.
  Journey j;
  int runsBegun = 0;
  j.report.BeforePrint = [&](TCustomReport&, bool&) { ++runsBegun; };
  j.messages.script[2] = [&j] { j.Do("close"); };
  j.report.Preview();
  EXPECT_EQ(j.previewsShown, 1);
  EXPECT_EQ(runsBegun, 0);
  EXPECT_EQ(j.report.PageCount(), 0);
  EXPECT_EQ(std::count_if(j.log.begin(), j.log.end(),
                          [](const std::string& s) { return s.rfind("Record", 0) == 0; }),
            0);
  EXPECT_EQ(j.alive, 0);
  EXPECT_TRUE(j.report.Available());
}

// An office's list holds connections whose print server may be offline: opening one waits for
// it. Previewing and printing ask details (device mode, capabilities, context) of the printer
// in use alone, never of the others in the list.
TEST(ReportPrinting, OnlyThePrinterInUseIsAskedForItsDetails) {
  const struct {
    const char* name;
    int32_t index;
    bool print;
    const char* inUse;
  } cases[] = {
      {"preview on the default", -1, false, "Office"},
      {"print on the default", -1, true, "Office"},
      {"preview on a chosen printer", 2, false, "PDF"},
      {"print on a chosen printer", 2, true, "PDF"},
  };
  for (const auto& c : cases) {
    Journey j;
    j.printers = {"Office", "\\\\server\\Offline", "PDF"};
    j.report.PrinterSettings.PrinterIndex = c.index;
    j.waits = c.print ? std::map<int, std::string>{{1, "print"}, {2, "close"}}
                      : std::map<int, std::string>{{1, "close"}};
    j.report.Preview();
    int details = 0;
    for (const std::string& entry : j.log) {
      if (entry.rfind("Detail", 0) != 0) continue;
      ++details;
      EXPECT_EQ(entry.substr(entry.rfind(' ') + 1), c.inUse) << c.name << ": " << entry;
    }
    EXPECT_GT(details, 0) << c.name;
    EXPECT_EQ(j.report.PageCount(), 1) << c.name;
  }
}

TEST(ReportPrinting, PrintingTwiceFromThePreviewMakesTwoJobsThatStartAlike) {
  Journey j;
  std::vector<std::string> pageNumbers;
  j.report.OnStartPage = [&](TCustomReport& r) { pageNumbers.push_back(r.Functions["PAGENUMBER"]); };
  j.waits = {{1, "print"}, {2, "print"}, {3, "close"}};
  j.report.Preview();
  // Each print job: from its StartJob up to and including its EndJob.
  std::vector<Log> jobs;
  for (const std::string& entry : j.log) {
    if (entry.rfind("StartJob", 0) == 0) jobs.emplace_back();
    if (!jobs.empty() && (jobs.back().empty() || jobs.back().back() != "EndJob"))
      jobs.back().push_back(entry);
  }
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[1], jobs[0]);
  EXPECT_EQ(jobs[0].back(), "EndJob");
  EXPECT_EQ(j.made, 3);
  EXPECT_EQ(j.alive, 0);
  // The preview's run, then each print's: every run starts again from page 1.
  EXPECT_EQ(pageNumbers, (std::vector<std::string>{"1", "1", "1"}));
}

// A run that fails tells the user and closes its preview; the report and its print button work
// again at once.
TEST(ReportPrinting, AFailedRunShowsItsErrorAndClosesThePreview) {
  for (const bool secondPress : {false, true}) {
    Journey j;
    j.recorder.failingPage = 1;
    EXPECT_NO_THROW(j.report.Preview());
    EXPECT_EQ(std::count(j.log.begin(), j.log.end(),
                         "Message The page picture could not be recorded"),
              1);
    EXPECT_FALSE(j.printing.PreviewOpen());
    EXPECT_EQ(j.alive, 0);
    EXPECT_TRUE(j.report.Available());
    j.recorder.failingPage = 0;
    j.waits = {{j.waitCount + 1, "close"}};
    j.report.Preview();
    EXPECT_EQ(j.previewsShown, 2);
    if (!secondPress) continue;
    // and once more: nothing of the failed run is left to get in the way
    j.waits = {{j.waitCount + 1, "close"}};
    j.report.Preview();
    EXPECT_EQ(j.previewsShown, 3);
  }
}

}  // namespace

}  // namespace ormind
