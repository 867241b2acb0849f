#include "report/printer/printer.h"
#include "report/printer/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tests/report/printer/printer_fakes.h"

namespace ormind {
namespace {

using testing::Log;
using Target = TRptOutputTarget;

// A page printer on fakes, owned here and freed by its release handler as a report would.
struct Rig {
  Log log;
  testing::FakeRecorder recorder{log};
  testing::FakeMessages messages{log};
  testing::FakeDevice* device = nullptr;
  std::unique_ptr<TRptPrinter> printer;
  int released = 0;

  explicit Rig(Target target = Target::ToMetafile) {
    auto owned = std::make_unique<testing::FakeDevice>(log);
    device = owned.get();
    printer = std::make_unique<TRptPrinter>(std::move(owned), recorder, messages);
    printer->SetReleaseHandler([this](TRptPrinter&) { ++released, printer.reset(); });
    printer->SetTarget(target);
    printer->SetJobTitle("Card");
    log.clear();
    messages.pumps = 0;
  }

  // A run as the report makes it: it holds the printer, stops before a page once a cancel is
  // requested, lets messages run after each page and ends the document, abandoning it on an
  // error when `cleanUp`.
  void Generate(int pages, bool cleanUp = true) {
    TRptPrinter& p = *printer;
    TRptPrinterOperation run(p);
    try {
      p.OpenDocument();
      for (int i = 0; i < pages && !p.CancelRequested(); ++i) p.NewPage(), p.ProcessMessages();
      p.CloseDocument();
    } catch (const ERptError&) {
      if (cleanUp) p.AbandonDocument();
      throw;
    }
  }

  Log Job() const {  // the print job's calls and drawn pages, in order
    Log job;
    std::copy_if(log.begin(), log.end(), std::back_inserter(job), [](const std::string& s) {
      return s.rfind("Start", 0) == 0 || s.rfind("End", 0) == 0 || s.rfind("Draw", 0) == 0 ||
             s == "Abort";
    });
    return job;
  }
  long Count(const std::string& prefix) const {
    return std::count_if(log.begin(), log.end(),
                         [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
  }
};

// The job that prints stored `pages`, ended by `end`.
Log StoredJob(const std::vector<int>& pages, const std::string& end) {
  Log job{"StartJob Card", "StartPage"};
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) job.insert(job.end(), {"EndPage", "StartPage"});
    // At their true size from the paper's corner: 210.0n mm x 297 mm at 300 dpi.
    const int width = ((21000 + pages[i]) * 300 + 1270) / 2540;
    job.push_back("Draw " + std::to_string(pages[i]) + " " + std::to_string(width) +
                  "x3508 at -50,-60");
  }
  job.push_back(end);
  return job;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERptError& e) {
    return e.what();
  }
  return "no error";
}

std::string SavedReport(int pages) {
  static int serial = 0;
  const std::string path = ::testing::TempDir() + "printer_" + std::to_string(++serial) + ".orp";
  Rig maker;
  maker.Generate(pages);
  SaveToReportFile(*maker.printer, path);
  return path;
}

TEST(RptPrinter, PrintsExactlyTheRangeWithOnePageStartEach) {
  const Log start{"StartJob Card", "StartPage"}, next{"EndPage", "StartPage"};
  const struct {
    int first, last;
    std::vector<Log> job;
    long throwAway;
  } cases[] = {
      {0, 0, {start, next, next, next, next, {"EndJob"}}, 0},
      {2, 3, {start, next, {"EndJob"}}, 3},
      {5, 0, {start, {"EndJob"}}, 4},
      {0, 1, {start, {"EndJob"}}, 4},
      {3, 2, {}, 5},
  };
  for (const auto& c : cases) {
    Rig rig(Target::ToPrinter);
    rig.printer->SetRange(c.first, c.last);
    rig.Generate(5);
    Log job;
    for (const Log& part : c.job) job.insert(job.end(), part.begin(), part.end());
    EXPECT_EQ(rig.Job(), job) << c.first << ".." << c.last;
    EXPECT_EQ(rig.Count("Record"), c.throwAway) << c.first << ".." << c.last;
  }
}

TEST(RptPrinter, RefusedJobCallAbortsTheJobWithAClearError) {
  const std::string cancelled = "; the print job was cancelled";
  const struct {
    std::string failing;
    int failAt;
    std::string error;
    size_t callsBeforeAbort;  // 0: no job to abort
  } cases[] = {
      {"StartJob", 1, "The printer could not start the print job", 0},
      {"StartPage", 1, "The printer could not start a page" + cancelled, 2},
      {"EndPage", 1, "The printer could not finish a page" + cancelled, 3},
      {"StartPage", 2, "The printer could not start a page" + cancelled, 4},
      {"EndJob", 1, "The printer could not finish the print job" + cancelled, 7},
  };
  for (const auto& c : cases) {
    Rig rig(Target::ToPrinter);
    rig.device->failing = c.failing;
    rig.device->failAt = c.failAt;
    EXPECT_EQ(ErrorOf([&] { rig.Generate(3, false); }), c.error);
    const Log job = rig.Job();
    EXPECT_EQ(job.size(), c.callsBeforeAbort + 1) << c.failing;
    EXPECT_EQ(job.back() == "Abort", c.callsBeforeAbort > 0) << c.failing;
  }
}

// The user's Cancel of a Save dialog as the job starts is a cancel: no error, nothing spooled,
// no further page asked for, and the stored pages' print ends as quietly.
TEST(RptPrinter, DeclinedJobStartIsAQuietCancel) {
  const std::string path = SavedReport(2);
  for (const bool stored : {false, true}) {
    Rig rig(stored ? Target::ToMetafile : Target::ToPrinter);
    if (stored) LoadReportFile(*rig.printer, path);
    rig.device->failing = "StartJob";
    rig.device->declineStart = true;
    EXPECT_EQ(ErrorOf([&] {
                if (stored) {
                  rig.printer->PrintPages();
                } else {
                  rig.Generate(3, false);
                }
              }),
              "no error")
        << stored;
    EXPECT_EQ(rig.Job(), Log{"StartJob Card"}) << stored;
    EXPECT_EQ(rig.Count("Message"), 0) << stored;
  }
}

// A page whose picture cannot be begun is not counted, and ending the document afterwards
// stores only the pages that exist.
TEST(RptPrinter, PageThatCannotBeBegunLeavesNoEmptyPage) {
  for (const int failing : {1, 2, 3}) {
    Rig rig;
    rig.recorder.failingPage = failing;
    EXPECT_EQ(ErrorOf([&] { rig.Generate(3, false); }), "The page picture could not be recorded");
    EXPECT_EQ(rig.printer->PageCount(), failing - 1);
    EXPECT_NO_THROW(rig.printer->CloseDocument());
    EXPECT_EQ(rig.printer->PageList().Count(), failing - 1) << failing;
  }
}

// The resolution and offsets a document is scaled by are those of the context made after the
// device mode changed (landscape here), not those read when the printer was selected.
TEST(RptPrinter, ScalesByTheContextAfterTheDeviceModeChanged) {
  Rig rig(Target::ToPrinter);
  rig.device->capsAfterWrite = TRptDeviceCaps{600, 600, 120, 100, 7016, 4960, 6776, 4760};
  rig.printer->OpenDocument();
  EXPECT_EQ(rig.printer->FactorX(), 600 / 254.0L);
  // 120 pixels at 600 dpi: 5.08 mm, the printable area's left edge.
  EXPECT_EQ(rig.printer->ToDeviceX(51), 0);
  EXPECT_EQ(rig.printer->ToDeviceY(42), 0);
  rig.printer->AbandonDocument();
}

TEST(RptPrinter, CallsOutOfOrderRaiseTheirTexts) {
  using Calls = std::function<void(TRptPrinter&)>;
  const std::pair<Calls, std::string> cases[] = {
      {[](TRptPrinter& p) { p.NewPage(); }, "Illegal call to NewPage"},
      {[](TRptPrinter& p) { p.OpenDocument(), p.OpenDocument(); }, "Report printer not ready"},
      {[](TRptPrinter& p) { p.OpenDocument(), p.CloseDocument(), p.NewPage(); },
       "Illegal call to NewPage"},
      {[](TRptPrinter& p) { p.OpenDocument(), p.CloseDocument(), p.OpenDocument(); },
       "Report printer not ready"},
      {[](TRptPrinter& p) {
         p.SetTarget(Target::ToPrinter), p.OpenDocument(), p.NewPage(), p.SelectPrinter(0);
       },
       "Printing in progress"},
  };
  for (const auto& [calls, error] : cases) {
    Rig rig;
    EXPECT_EQ(ErrorOf([&] { calls(*rig.printer); }), error);
  }
}

TEST(RptPrinter, DevicePositionsRoundHalvesToEven) {
  Rig rig(Target::ToPrinter);
  rig.device->caps = {254, 254, 10, 20, 2100, 2970, 2000, 2900};  // 1 pixel per 0.1 mm
  rig.printer->SelectPrinter(-1);
  rig.printer->OpenDocument();
  TRptPrinter& p = *rig.printer;
  const std::pair<int32_t, int32_t> cases[] = {
      {p.ToDeviceX(12.5), 2},     {p.ToDeviceX(13.5), 4},     {p.ToDeviceX(9.5), 0},
      {p.ToDeviceX(8.5), -2},     {p.ToDeviceY(22.5), 2},     {p.ToDeviceY(23.5), 4},
      {p.ToDeviceWidth(2.5), 2},  {p.ToDeviceHeight(3.5), 4},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

TEST(RptPrinter, PaperValuesFollowSizeAndOrientation) {
  const auto P = TRptOrientation::Portrait, L = TRptOrientation::Landscape;
  const struct {
    TRptPaperSize size;
    TRptOrientation orientation;
    long double width, length;
  } cases[] = {
      {TRptPaperSize::A4, P, 2100, 2970},     {TRptPaperSize::A4, L, 2970, 2100},
      {TRptPaperSize::Letter, L, 2794, 2159}, {TRptPaperSize::Env9, P, 984, 2254},
      {TRptPaperSize::Default, L, 2794, 2159}, {TRptPaperSize::Custom, L, 1500, 1000},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.device->caps.PhysicalWidth = 2550;  // 8.5 x 11 inches at 300 dpi
    rig.device->caps.PhysicalHeight = 3300;
    TRptJobSettings settings;
    settings.PaperSize = c.size;
    settings.CustomWidth = 1000;
    settings.CustomLength = 1500;
    settings.Orientation = c.orientation;
    rig.printer->ApplyJobSettings(settings);
    EXPECT_EQ(rig.printer->PaperWidthValue(), c.width) << PaperInfo(c.size).Name;
    EXPECT_EQ(rig.printer->PaperLengthValue(), c.length) << PaperInfo(c.size).Name;
  }
}

enum class RunKind { Preview, PrintToPrinter, SelectAndPrint, PrintStored };

// Handlers run from every point where the printer lets messages through: the printer is
// released once when its users are done, and nothing replaces or reprints its pages meanwhile.
TEST(RptPrinter, HandlersRunFromMessagePumpsLeaveItSound) {
  const std::string file = SavedReport(3);
  const std::string saved = ::testing::TempDir() + "printer_pump_save.orp";
  const auto close = [](Rig& r) { r.printer->ReleaseWhenIdle(); };
  const auto load = [file](Rig& r) { LoadReportFile(*r.printer, file); };
  const auto print = [](Rig& r) { r.printer->PrintPages(); };
  const auto cancel = [](Rig& r) { r.printer->RequestCancel(); };
  const auto save = [saved](Rig& r) { SaveToReportFile(*r.printer, saved); };
  const std::string busy = "Error The report is still being generated or printed";
  const Log whole = StoredJob({1, 2, 3}, "EndJob");
  const struct {
    const char* name;
    RunKind run;
    int pump;
    std::function<void(Rig&)> handler;
    int released;
    long recorded;
    Log job;
    long errors;
  } cases[] = {
      {"close after page 1", RunKind::Preview, 1, close, 1, 1, {}, 0},
      {"close at the end", RunKind::Preview, 4, close, 1, 3, {}, 0},
      {"load during generation", RunKind::Preview, 2, load, 0, 3, {}, 1},
      {"load at the end", RunKind::Preview, 4, load, 0, 3, {}, 1},
      {"save at the end", RunKind::Preview, 4, save, 0, 3, {}, 0},
      {"cancel on the printer", RunKind::PrintToPrinter, 2, cancel, 0, 0,
       {"StartJob Card", "StartPage", "EndPage", "StartPage", "Abort"}, 0},
      {"cancel while selecting", RunKind::SelectAndPrint, 1, cancel, 0, 0, {}, 0},
      {"close during a stored print", RunKind::PrintStored, 2, close, 1, 0,
       StoredJob({1, 2}, "Abort"), 0},
      {"second print", RunKind::PrintStored, 2, print, 0, 0, whole, 0},
      {"load during a stored print", RunKind::PrintStored, 1, load, 0, 0, whole, 1},
  };
  for (const auto& c : cases) {
    Rig rig(c.run == RunKind::Preview || c.run == RunKind::PrintStored ? Target::ToMetafile
                                                                       : Target::ToPrinter);
    if (c.run == RunKind::PrintStored) LoadReportFile(*rig.printer, file);
    rig.messages.script[c.pump] = [&rig, &c] { c.handler(rig); };
    if (c.run == RunKind::SelectAndPrint) rig.printer->ApplyJobSettings({});
    if (c.run == RunKind::PrintStored) {
      rig.printer->PrintPages();
    } else {
      rig.Generate(3);
    }
    EXPECT_EQ(rig.released, c.released) << c.name;
    EXPECT_EQ(rig.printer == nullptr, c.released == 1) << c.name;
    EXPECT_EQ(rig.Count("Record"), c.recorded) << c.name;
    EXPECT_EQ(rig.Job(), c.job) << c.name;
    EXPECT_EQ(rig.Count(busy), c.errors) << c.name;
  }
  Rig reader;  // the save made as the document ended holds every page
  LoadReportFile(*reader.printer, saved);
  EXPECT_EQ(reader.printer->PageCount(), 3);
}

TEST(RptPrinter, ClosedPreviewPrinterIsReleasedOnceWhenThePrintEnds) {
  Rig preview;
  preview.Generate(1);
  Rig print(Target::ToPrinter);
  print.messages.script[1] = [&preview] { preview.printer->ReleaseWhenIdle(); };
  {
    TRptPrinterOperation printing(*preview.printer);
    print.Generate(2);
    EXPECT_EQ(preview.released, 0);
  }
  EXPECT_EQ(preview.released, 1);
}

TEST(RptPrinter, StoredPagesPrintTheLoadedRangeAndSkipUnreadablePages) {
  const std::string path = SavedReport(5);
  {  // spoil the picture signature of page 3
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    size_t at = 0;
    for (int i = 0; i < 3; ++i) at = bytes.find(" EMF", at + 1);
    f.seekp(static_cast<std::streamoff>(at));
    f.write("XEMF", 4);
  }
  const struct {
    int first, last;  // set before loading, or after when `afterLoad`
    bool afterLoad;
    Log job;
    long toldOfPage3;
    int sets = 1;
  } cases[] = {
      {2, 2, false, StoredJob({1, 2, 4, 5}, "EndJob"), 1},
      {4, 9, true, StoredJob({4, 5}, "EndJob"), 0},
      {3, 3, true, {"StartJob Card", "StartPage", "Abort"}, 1},
      {6, 9, true, {}, 0},
      {4, 5, true, StoredJob({4, 5, 4, 5}, "EndJob"), 0, 2},
  };
  for (const auto& c : cases) {
    Rig rig;
    if (!c.afterLoad) rig.printer->SetRange(c.first, c.last);
    LoadReportFile(*rig.printer, path);
    if (c.afterLoad) rig.printer->SetRange(c.first, c.last);
    rig.printer->SetStoredPageSets(c.sets);
    rig.printer->PrintPages();
    EXPECT_EQ(rig.Job(), c.job) << c.first << ".." << c.last;
    EXPECT_EQ(rig.Count("Message Page 3 was not printed: Not a valid report file: a page is not"),
              c.toldOfPage3)
        << c.first;
  }
}

TEST(RptPrinter, NoticesReachTheirWindows) {
  Rig rig;
  rig.printer->SetNotifyTarget(7);
  rig.printer->SetOwnerReport(9);
  rig.printer->SetProgress(0);
  rig.printer->SetProgress(40);
  rig.Generate(2);
  rig.printer->PrintPages();
  rig.printer->AnnounceClose();
  EXPECT_EQ(rig.log, (Log{"Post 1024 40", "Record 794x1123", "Post 1025 1", "Record 794x1123",
                          "Post 1025 2", "Post 1026 0", "Send 1028"}));
}

TEST(RptPrintJob, AFinishedJobNoLongerRunsAndTheNextStartsAsTheFirstDid) {
  const Log oneJob{"StartJob Card", "StartPage", "EndPage", "StartPage", "EndJob"};
  const struct {
    const char* name;
    std::function<void(TRptPrintJob&)> actions;
    bool running;
    std::string error;
    Log calls;
  } cases[] = {
      {"started", [](TRptPrintJob& j) { j.Start("Card"); }, true, "no error",
       {"StartJob Card", "StartPage"}},
      {"ended", [](TRptPrintJob& j) { j.Start("Card"), j.Advance(), j.End(); }, false,
       "no error", oneJob},
      {"aborted", [](TRptPrintJob& j) { j.Start("Card"), j.Abort(); }, false, "no error",
       {"StartJob Card", "StartPage", "Abort"}},
      {"ended, then advanced", [](TRptPrintJob& j) { j.Start("Card"), j.End(), j.Advance(); },
       false, "Printer is not currently printing", {"StartJob Card", "StartPage", "EndJob"}},
      {"two in a row",
       [](TRptPrintJob& j) { j.Start("Card"), j.Advance(), j.End(), j.Start("Card"), j.Advance(), j.End(); },
       false, "no error", [&] { Log two = oneJob; two.insert(two.end(), oneJob.begin(), oneJob.end()); return two; }()},
      {"started twice", [](TRptPrintJob& j) { j.Start("Card"), j.Start("Card"); }, true,
       "Printing in progress", {"StartJob Card", "StartPage"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Log log;
    testing::FakeDevice device(log);
    TRptPrintJob job(device);
    EXPECT_EQ(ErrorOf([&] { c.actions(job); }), c.error);
    EXPECT_EQ(job.Running(), c.running);
    EXPECT_EQ(log, c.calls);
  }
}

TEST(RptPrinter, AJobEndedByTheRunLeavesThePrinterFreeToSelect) {
  Rig rig(Target::ToPrinter);
  rig.Generate(2);
  EXPECT_EQ(rig.Job().back(), "EndJob");
  EXPECT_EQ(ErrorOf([&] { rig.printer->SelectPrinter(0); }), "no error");
}

}  // namespace
}  // namespace ormind
