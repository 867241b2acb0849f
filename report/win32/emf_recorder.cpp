#include "report/win32/emf_recorder.h"

#include <algorithm>

#include "platform/handles.h"
#include "platform/text_encoding.h"
#include "report/pages/error.h"
#include "report/win32/gdi_canvas.h"

namespace ormind {
namespace {

// 0.01 mm for `pixels` at `pixelsPerInch`, rounded.
LONG FrameLength(int32_t pixels, int32_t pixelsPerInch) {
  return static_cast<LONG>((int64_t(pixels) * 2540 + pixelsPerInch / 2) / pixelsPerInch);
}

class TEmfRecording final : public TRptPageRecording {
 public:
  TEmfRecording(int32_t width, int32_t height, int32_t pixelsPerInch, const std::string& title)
      : fRecorder(Begin(width, height, pixelsPerInch, title)),
        fCanvas(fRecorder.Get(), pixelsPerInch, pixelsPerInch) {}

  TRptCanvas& Canvas() override { return fCanvas; }

  std::unique_ptr<TRptPagePicture> Close() override {
    fCanvas.Refresh();  // the font goes back before the recording ends
    const EnhMetaFileHandle metafile = fRecorder.Close();
    if (!metafile) throw ERptError("The page picture could not be recorded");
    return std::make_unique<TRptEmfImage>(EnhMetaFileBytes(metafile.Get()));
  }

 private:
  static HDC Begin(int32_t width, int32_t height, int32_t pixelsPerInch,
                   const std::string& title) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const RECT frame{0, 0, FrameLength(width, pixelsPerInch), FrameLength(height, pixelsPerInch)};
    // "Ormind", the title, each ended by a zero, and a second zero at the end.
    const std::wstring description = L"Ormind" + std::wstring(1, L'\0') + Utf8ToWide(title) +
                                     std::wstring(2, L'\0');
    const WindowDC screen(nullptr);
    HDC dc = CreateEnhMetaFileW(screen.Get(), nullptr, &frame, description.c_str());
    if (dc == nullptr) throw ERptError("The page picture could not be recorded");
    // Logical units are page pixels at `pixelsPerInch`, whatever the reference device's
    // pixel size is, so the page looks the same on every screen.
    const int deviceWidth = MulDiv(frame.right, GetDeviceCaps(dc, HORZRES),
                                   GetDeviceCaps(dc, HORZSIZE) * 100);
    const int deviceHeight = MulDiv(frame.bottom, GetDeviceCaps(dc, VERTRES),
                                    GetDeviceCaps(dc, VERTSIZE) * 100);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, width, height, nullptr);
    SetViewportExtEx(dc, deviceWidth, deviceHeight, nullptr);
    return dc;
  }

  MetafileRecorder fRecorder;
  TRptGdiCanvas fCanvas;
};

}  // namespace

std::vector<uint8_t> EnhMetaFileBytes(HENHMETAFILE metafile) {
  const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  std::vector<uint8_t> bytes(size);
  if (size == 0 || GetEnhMetaFileBits(metafile, size, bytes.data()) != size) {
    throw ERptError("The page picture could not be read");
  }
  return bytes;
}

TRptEmfRecorder::TRptEmfRecorder() {
  const WindowDC screen(nullptr);
  fPixelsPerInch = GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

std::unique_ptr<TRptPageRecording> TRptEmfRecorder::BeginPage(int32_t width, int32_t height) {
  return std::make_unique<TEmfRecording>(width, height, fPixelsPerInch, fTitle);
}

std::unique_ptr<TRptPagePicture> TRptEmfRecorder::MakePicture() {
  return std::make_unique<TRptEmfImage>();
}

}  // namespace ormind
