#pragma once
// Saving the page printer's stored pages as a report file and loading one back into it.
#include <cstdint>
#include <memory>
#include <string>

#include "report/pages/page_list.h"
#include "report/pages/paper.h"

namespace ormind {

enum class TRptPrinterPhase { Ready, Busy, Finished };

// What saving and loading need of the page printer.
class TRptReportFileHost {
 public:
  virtual ~TRptReportFileHost() = default;
  virtual TRptPrinterPhase Phase() const = 0;
  virtual TRptPageList& PageList() = 0;
  virtual int32_t ScreenPixelsPerInch() const = 0;
  // Cancels a busy generation, frees the printer's stream and the list's reference to it,
  // resets the list; the printer is ready afterwards.
  virtual void CleanUp() = 0;
  // Both go through the printer's own checks of what its device supports.
  virtual void SetPaperSize(TRptPaperSize size) = 0;
  virtual void SetOrientation(TRptOrientation orientation) = 0;
  // The loaded pages become the printer's: its stream, its page count and both scale factors
  // (pixels per 0.1 mm); it becomes finished, its print-setup and export hooks are cleared and
  // it is marked as loaded from a file.
  virtual void TakeLoadedReport(std::shared_ptr<TRptStream> stream, int32_t pageCount,
                                double scaleFactor) = 0;
};

// Writes the stored pages to `path` when the printer has finished generating; otherwise does
// nothing. Throws ERptError when the file cannot be written (an existing file stays intact).
void SaveToReportFile(TRptReportFileHost& printer, const std::string& path);

// Loads a saved report into the printer, with the paper size and orientation that the first
// page's size matches. The file is checked completely before the printer gives up what it
// holds: a bad file raises ERptError and leaves the printer as it was.
void LoadReportFile(TRptReportFileHost& printer, const std::string& path);

// The paper choices (applied in order, the last one winning) for a page picture shown at
// `pixelsPerInch`.
std::vector<TRptPaperMatch> PaperForPage(const TRptPagePicture& page, int32_t pixelsPerInch);

}  // namespace ormind
