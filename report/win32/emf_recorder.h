#pragma once
// Page pictures recorded through GDI: each page is an enhanced metafile recorded on a DC whose
// logical units are pixels of a page at the screen's resolution, closed into a picture that
// holds the metafile's bytes (what the page list stores and the preview plays).
#include "report/win32/windows_api.h"

#include <memory>
#include <string>
#include <vector>

#include "report/printer/printer_device.h"

namespace ormind {

class TRptEmfRecorder final : public TRptPageRecorder {
 public:
  // Resolution of the screen's DC (LOGPIXELSY).
  TRptEmfRecorder();
  explicit TRptEmfRecorder(int32_t screenPixelsPerInch) : fPixelsPerInch(screenPixelsPerInch) {}

  // The report's title, recorded in each page picture's description after the program's name
  // (a saved report's pages name the report they came from).
  void SetDocumentTitle(const std::string& title) { fTitle = title; }

  int32_t ScreenPixelsPerInch() const override { return fPixelsPerInch; }
  // Throws ERptError when the system cannot make the recording DC.
  std::unique_ptr<TRptPageRecording> BeginPage(int32_t width, int32_t height) override;
  std::unique_ptr<TRptPagePicture> MakePicture() override;

 private:
  int32_t fPixelsPerInch;
  std::string fTitle;
};

// The metafile's bytes, for a picture played or saved.
std::vector<uint8_t> EnhMetaFileBytes(HENHMETAFILE metafile);

}  // namespace ormind
