#include "report/pages/report_file.h"

#include "report/pages/error.h"

namespace ormind {

void SaveToReportFile(TRptReportFileHost& printer, const std::string& path) {
  if (printer.Phase() != TRptPrinterPhase::Finished) return;
  printer.PageList().WriteToFile(path);
}

std::vector<TRptPaperMatch> PaperForPage(const TRptPagePicture& page, int32_t pixelsPerInch) {
  const double factor = pixelsPerInch / 254.0;  // pixels per 0.1 mm
  return MatchPaperSizes(page.WidthInPixels(pixelsPerInch) / factor,
                         page.HeightInPixels(pixelsPerInch) / factor);
}

void LoadReportFile(TRptReportFileHost& printer, const std::string& path) {
  const int32_t pixelsPerInch = printer.ScreenPixelsPerInch();
  if (pixelsPerInch <= 0) throw ERptError("The screen resolution is unknown");

  // Open, check and read page 1 aside, so that a bad file changes nothing.
  TRptPageList loaded;
  loaded.OpenFile(path);
  std::vector<TRptPaperMatch> paper;
  if (loaded.Count() > 0) {
    const auto first = loaded.ReadPage(1);
    paper = PaperForPage(*first, pixelsPerInch);
  }

  if (printer.Phase() != TRptPrinterPhase::Ready) printer.CleanUp();
  TRptPageList& list = printer.PageList();
  list.TakeOver(loaded);
  for (const TRptPaperMatch& match : paper) {
    printer.SetPaperSize(match.Size);
    printer.SetOrientation(match.Orientation);
  }
  printer.TakeLoadedReport(list.Stream(), list.Count(), pixelsPerInch / 254.0);
}

}  // namespace ormind
