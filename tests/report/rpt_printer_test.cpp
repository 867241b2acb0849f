#include "report/rpt_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "printer_fakes.h"

namespace ormind {
namespace {

using testing::FakeDevice;
using testing::FakeMessages;
using testing::FakeRecorder;
using testing::Log;

// A page printer on fakes, owned here and freed by its release handler as a report would.
struct Rig {
  Log log;
  FakeRecorder recorder{log};
  FakeMessages messages{log};
  FakeDevice* device = nullptr;
  std::unique_ptr<TRptPrinter> printer;
  int released = 0;

  explicit Rig(TRptOutputTarget target = TRptOutputTarget::ToMetafile) {
    auto owned = std::make_unique<FakeDevice>(log);
    device = owned.get();
    printer = std::make_unique<TRptPrinter>(std::move(owned), recorder, messages);
    printer->SetReleaseHandler([this](TRptPrinter&) {
      ++released;
      printer.reset();
    });
    printer->SetTarget(target);
    printer->SetJobTitle("Card");
    log.clear();
    messages.pumps = 0;
  }

  // A run as the report makes it: it holds the printer, stops before a page once a cancel is
  // requested, lets messages run after each page, and ends the document (abandoning it on an
  // error unless `cleanUp` is false).
  void Generate(int pages, bool cleanUp = true) {
    TRptPrinter& p = *printer;
    TRptPrinterOperation run(p);
    try {
      p.OpenDocument();
      for (int i = 0; i < pages && !p.CancelRequested(); ++i) {
        p.NewPage();
        p.ProcessMessages();
      }
      p.CloseDocument();
    } catch (const ERptError&) {
      if (cleanUp) p.AbandonDocument();
      throw;
    }
  }

  // The calls of the print job, in order.
  Log Job() const {
    Log job;
    std::copy_if(log.begin(), log.end(), std::back_inserter(job), [](const std::string& s) {
      return s.rfind("Start", 0) == 0 || s.rfind("End", 0) == 0 || s == "Abort" ||
             s.rfind("Draw", 0) == 0;
    });
    return job;
  }
  long Recorded() const {
    return std::count_if(log.begin(), log.end(),
                         [](const std::string& s) { return s.rfind("Record", 0) == 0; });
  }
};

std::string SavedReport(int pages) {
  static int serial = 0;
  const std::string path = ::testing::TempDir() + "printer_" + std::to_string(++serial) + ".orp";
  Rig maker;
  maker.Generate(pages);
  SaveToReportFile(*maker.printer, path);
  return path;
}

TEST(RptPrinter, PrintsExactlyTheRangeWithOnePageStartEach) {
  const Log all = {"StartJob Card", "StartPage", "EndPage", "StartPage", "EndPage", "StartPage",
                   "EndPage", "StartPage", "EndPage", "StartPage", "EndJob"};
  const struct {
    int first, last;
    Log job;
    long throwAway;
  } cases[] = {
      {0, 0, all, 0},
      {2, 3, {"StartJob Card", "StartPage", "EndPage", "StartPage", "EndJob"}, 3},
      {5, 0, {"StartJob Card", "StartPage", "EndJob"}, 4},
      {0, 1, {"StartJob Card", "StartPage", "EndJob"}, 4},
      {3, 2, {}, 5},
  };
  for (const auto& c : cases) {
    Rig rig(TRptOutputTarget::ToPrinter);
    rig.printer->SetRange(c.first, c.last);
    rig.Generate(5);
    EXPECT_EQ(rig.Job(), c.job) << c.first << ".." << c.last;
    EXPECT_EQ(rig.Recorded(), c.throwAway) << c.first << ".." << c.last;
    EXPECT_EQ(rig.printer->Phase(), TRptPrinterPhase::Finished);
  }
}

TEST(RptPrinter, RefusedJobCallAbortsTheJobWithAClearError) {
  const struct {
    std::string failing;
    int failAt;
    std::string error;
    Log job;
  } cases[] = {
      {"StartJob", 1, "The printer could not start the print job", {"StartJob Card"}},
      {"StartPage", 1, "The printer could not start a page; the print job was cancelled",
       {"StartJob Card", "StartPage", "Abort"}},
      {"EndPage", 1, "The printer could not finish a page; the print job was cancelled",
       {"StartJob Card", "StartPage", "EndPage", "Abort"}},
      {"StartPage", 2, "The printer could not start a page; the print job was cancelled",
       {"StartJob Card", "StartPage", "EndPage", "StartPage", "Abort"}},
      {"EndJob", 1, "The printer could not finish the print job; the print job was cancelled",
       {"StartJob Card", "StartPage", "EndPage", "StartPage", "EndPage", "StartPage", "EndJob",
        "Abort"}},
  };
  for (const auto& c : cases) {
    Rig rig(TRptOutputTarget::ToPrinter);
    rig.device->failing = c.failing;
    rig.device->failAt = c.failAt;
    try {
      rig.Generate(3, false);  // the job is aborted without the report's clean-up
      ADD_FAILURE() << "no error for " << c.failing;
    } catch (const ERptError& e) {
      EXPECT_EQ(e.what(), c.error);
    }
    EXPECT_EQ(rig.Job(), c.job) << c.failing << " " << c.failAt;
  }
}

TEST(RptPrinter, CallsOutOfOrderRaiseTheirTexts) {
  const struct {
    std::function<void(TRptPrinter&)> calls;
    std::string error;
  } cases[] = {
      {[](TRptPrinter& p) { p.NewPage(); }, "Illegal call to NewPage"},
      {[](TRptPrinter& p) { p.OpenDocument(); p.OpenDocument(); }, "Report printer not ready"},
      {[](TRptPrinter& p) { p.OpenDocument(); p.CloseDocument(); p.NewPage(); },
       "Illegal call to NewPage"},
      {[](TRptPrinter& p) { p.OpenDocument(); p.CloseDocument(); p.OpenDocument(); },
       "Report printer not ready"},
      {[](TRptPrinter& p) {
         p.SetTarget(TRptOutputTarget::ToPrinter);
         p.OpenDocument();
         p.NewPage();
         p.SelectPrinter(0);
       },
       "Printing in progress"},
  };
  for (const auto& c : cases) {
    Rig rig;
    try {
      c.calls(*rig.printer);
      ADD_FAILURE() << "no error: " << c.error;
    } catch (const ERptError& e) {
      EXPECT_EQ(e.what(), c.error);
    }
  }
}

TEST(RptPrinter, DevicePositionsRoundHalvesToEven) {
  Rig rig(TRptOutputTarget::ToPrinter);
  rig.device->caps = {254, 254, 10, 20, 2100, 2970, 2000, 2900};  // 1 pixel per 0.1 mm
  rig.printer->SelectPrinter(-1);
  rig.printer->OpenDocument();
  const struct {
    int32_t (TRptPrinter::*convert)(long double) const;
    long double value;
    int32_t pixels;
  } cases[] = {
      {&TRptPrinter::ToDeviceX, 12.5, 2},   {&TRptPrinter::ToDeviceX, 13.5, 4},
      {&TRptPrinter::ToDeviceX, 9.5, 0},    {&TRptPrinter::ToDeviceX, 8.5, -2},
      {&TRptPrinter::ToDeviceY, 22.5, 2},   {&TRptPrinter::ToDeviceY, 23.5, 4},
      {&TRptPrinter::ToDeviceWidth, 2.5, 2}, {&TRptPrinter::ToDeviceHeight, 3.5, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(((*rig.printer).*c.convert)(c.value), c.pixels) << double(c.value);
  }
}

TEST(RptPrinter, PaperValuesFollowSizeAndOrientation) {
  const struct {
    TRptPaperSize size;
    TRptOrientation orientation;
    long double width, length;
  } cases[] = {
      {TRptPaperSize::A4, TRptOrientation::Portrait, 2100, 2970},
      {TRptPaperSize::A4, TRptOrientation::Landscape, 2970, 2100},
      {TRptPaperSize::Letter, TRptOrientation::Landscape, 2794, 2159},
      {TRptPaperSize::Env9, TRptOrientation::Portrait, 984, 2254},
      {TRptPaperSize::B5, TRptOrientation::Portrait, 2100, 2970},  // not listed: A4 stays
      {TRptPaperSize::Default, TRptOrientation::Landscape, 2794, 2159},
      {TRptPaperSize::Custom, TRptOrientation::Landscape, 1500, 1000},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.device->caps.PhysicalWidth = 2550;  // 8.5 x 11 inches at 300 dpi
    rig.device->caps.PhysicalHeight = 3300;
    TRptJobSettings settings;
    settings.PaperSize = c.size;
    settings.Orientation = c.orientation;
    settings.CustomWidth = 1000;
    settings.CustomLength = 1500;
    rig.printer->ApplyJobSettings(settings);
    EXPECT_EQ(rig.printer->PaperWidthValue(), c.width) << PaperInfo(c.size).Name;
    EXPECT_EQ(rig.printer->PaperLengthValue(), c.length) << PaperInfo(c.size).Name;
  }
}

// Handlers that run from the points where the printer lets messages through.
enum class RunKind { Preview, PrintToPrinter, PrintStored };

TEST(RptPrinter, HandlersRunFromMessagePumpsLeaveItSound) {
  const std::string file = SavedReport(3);
  const std::string saved = ::testing::TempDir() + "printer_pump_save.orp";
  const auto close = [](Rig& r) { r.printer->ReleaseWhenIdle(); };
  const auto load = [file](Rig& r) { LoadReportFile(*r.printer, file); };
  const auto print = [](Rig& r) { r.printer->PrintPages(); };
  const auto cancel = [](Rig& r) { r.printer->RequestCancel(); };
  const auto save = [saved](Rig& r) { SaveToReportFile(*r.printer, saved); };
  const std::string busy = "Error The report is still being generated or printed";
  const struct {
    const char* name;
    RunKind run;
    int pump;
    std::function<void(Rig&)> handler;
    int released;
    long recorded;
    Log job;
    std::string logged;
  } cases[] = {
      {"close after page 1", RunKind::Preview, 1, close, 1, 1, {}, ""},
      {"close at the end", RunKind::Preview, 4, close, 1, 3, {}, ""},
      {"load during generation", RunKind::Preview, 2, load, 0, 3, {}, busy},
      {"load at the end", RunKind::Preview, 4, load, 0, 3, {}, busy},
      {"save at the end", RunKind::Preview, 4, save, 0, 3, {}, ""},
      {"cancel on the printer", RunKind::PrintToPrinter, 2, cancel, 0, 0,
       {"StartJob Card", "StartPage", "EndPage", "StartPage", "Abort"}, ""},
      {"close during a stored print", RunKind::PrintStored, 2, close, 1, 0,
       {"StartJob Card", "StartPage", "Draw 21001 in 2380x3388", "EndPage", "StartPage",
        "Draw 21002 in 2380x3388", "Abort"}, ""},
      {"second print", RunKind::PrintStored, 2, print, 0, 0,
       {"StartJob Card", "StartPage", "Draw 21001 in 2380x3388", "EndPage", "StartPage",
        "Draw 21002 in 2380x3388", "EndPage", "StartPage", "Draw 21003 in 2380x3388", "EndJob"},
       ""},
      {"load during a stored print", RunKind::PrintStored, 1, load, 0, 0,
       {"StartJob Card", "StartPage", "Draw 21001 in 2380x3388", "EndPage", "StartPage",
        "Draw 21002 in 2380x3388", "EndPage", "StartPage", "Draw 21003 in 2380x3388", "EndJob"},
       busy},
  };
  for (const auto& c : cases) {
    Rig rig(c.run == RunKind::PrintToPrinter ? TRptOutputTarget::ToPrinter
                                         : TRptOutputTarget::ToMetafile);
    if (c.run == RunKind::PrintStored) {
      LoadReportFile(*rig.printer, file);
      rig.printer->SetJobTitle("Card");
    }
    rig.messages.script[c.pump] = [&rig, &c] { c.handler(rig); };
    if (c.run == RunKind::PrintStored) {
      rig.printer->PrintPages();
    } else {
      rig.Generate(3);
    }
    EXPECT_EQ(rig.released, c.released) << c.name;
    EXPECT_EQ(rig.printer == nullptr, c.released == 1) << c.name;
    EXPECT_EQ(rig.Recorded(), c.recorded) << c.name;
    EXPECT_EQ(rig.Job(), c.job) << c.name;
    const bool logged = std::find(rig.log.begin(), rig.log.end(), c.logged) != rig.log.end();
    EXPECT_EQ(logged, !c.logged.empty()) << c.name;
    if (c.name == std::string("save at the end")) {  // the file holds the final page count
      Rig reader;
      LoadReportFile(*reader.printer, saved);
      EXPECT_EQ(reader.printer->PageCount(), 3) << c.name;
    }
  }
}

TEST(RptPrinter, CancelDuringPrinterSelectionStopsTheRun) {
  Rig rig(TRptOutputTarget::ToPrinter);
  rig.messages.script[1] = [&rig] { rig.printer->RequestCancel(); };
  rig.printer->ApplyJobSettings({});
  rig.Generate(3);
  EXPECT_EQ(rig.Job(), Log{});
  EXPECT_EQ(rig.printer->Phase(), TRptPrinterPhase::Finished);
}

TEST(RptPrinter, ClosedPreviewPrinterIsReleasedOnceWhenThePrintEnds) {
  Rig preview;
  preview.Generate(1);
  Rig print(TRptOutputTarget::ToPrinter);
  print.messages.script[1] = [&preview] { preview.printer->ReleaseWhenIdle(); };
  {
    TRptPrinterOperation printing(*preview.printer);
    print.Generate(2);
    EXPECT_EQ(preview.released, 0);
  }
  EXPECT_EQ(preview.released, 1);
  EXPECT_EQ(preview.printer, nullptr);
}

TEST(RptPrinter, StoredPagesPrintTheLoadedRangeAndSkipUnreadablePages) {
  std::string path = SavedReport(5);
  {  // spoil the picture signature of page 3
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    size_t at = 0;
    for (int i = 0; i < 3; ++i) at = bytes.find(" EMF", at + 1);
    f.seekp(static_cast<std::streamoff>(at));
    f.write("XEMF", 4);
  }
  const auto draw = [](int page) { return "Draw " + std::to_string(21000 + page) + " in 2380x3388"; };
  const struct {
    int first, last;  // range set before loading, or after when `afterLoad`
    bool afterLoad;
    Log job;
  } cases[] = {
      {2, 2, false,
       {"StartJob Card", "StartPage", draw(1), "EndPage", "StartPage", draw(2), "EndPage",
        "StartPage", draw(4), "EndPage", "StartPage", draw(5), "EndJob"}},
      {4, 9, true, {"StartJob Card", "StartPage", draw(4), "EndPage", "StartPage", draw(5), "EndJob"}},
      {3, 3, true, {"StartJob Card", "StartPage", "Abort"}},
      {6, 9, true, {}},
  };
  for (const auto& c : cases) {
    Rig rig;
    if (!c.afterLoad) rig.printer->SetRange(c.first, c.last);
    LoadReportFile(*rig.printer, path);
    rig.printer->SetJobTitle("Card");
    if (c.afterLoad) rig.printer->SetRange(c.first, c.last);
    rig.printer->PrintPages();
    EXPECT_EQ(rig.Job(), c.job) << c.first << ".." << c.last;
    const bool told = std::find(rig.log.begin(), rig.log.end(),
                                "Message Page 3 was not printed: Not a valid report file: "
                                "a page is not an enhanced metafile") != rig.log.end();
    EXPECT_EQ(told, (c.first <= 3 && c.last >= 3) || !c.afterLoad) << c.first;
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

}  // namespace
}  // namespace ormind
