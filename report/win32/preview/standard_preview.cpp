#include "report/win32/preview/standard_preview.h"

#include <optional>
#include <vector>

#include "platform/display_dpi.h"
#include "platform/message_box_sink.h"
#include "platform/message_loop.h"
#include "platform/text_encoding.h"
#include "report/printer/printer.h"
#include "report/win32/preview/preview_dialogs.h"

namespace ormind {
namespace {

constexpr int kStatusBarId = 1, kToolBarId = 2;
constexpr COLORREF kGlyphMask = RGB(0xFF, 0x00, 0xFF);
constexpr int kGlyphCount = 11;
// The window's size at 96 DPI; at other scales it grows with the DPI.
constexpr int kDesignWidth = 652, kDesignHeight = 579;

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

std::vector<int> StatusPanelWidths(UINT dpi) { return {Scaled(40, dpi), Scaled(50, dpi)}; }

HBITMAP LoadGlyphs(int glyphSize) {
  const wchar_t* name = glyphSize == 32 ? L"PREVIEW_GLYPHS_32" : L"PREVIEW_GLYPHS";
  if (auto glyphs = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP,
                                                    0, 0, LR_CREATEDIBSECTION))) {
    return glyphs;
  }
  // A program built without the picture still works, with empty buttons.
  WindowDC screen(nullptr);
  return CreateCompatibleBitmap(screen.Get(), kGlyphCount * glyphSize, glyphSize);
}

TRptPreviewKey PreviewKeyOf(UINT key) {
  switch (key) {
    case VK_ESCAPE: return TRptPreviewKey::Escape;
    case VK_PRIOR: return TRptPreviewKey::PageUp;
    case VK_NEXT: return TRptPreviewKey::PageDown;
    case VK_HOME: return TRptPreviewKey::Home;
    case VK_END: return TRptPreviewKey::End;
  }
  return TRptPreviewKey::Other;
}

}  // namespace

// One of the window's own operations, with the printer held for it when there is one: a close
// arriving meanwhile waits until the last of them has ended.
class TRptWindowOperation {
 public:
  explicit TRptWindowOperation(TRptStandardPreview& window) : fWindow(window) {
    ++fWindow.fRunning;
    if (TRptPrinter* printer = window.Printer()) fPrinterHeld.emplace(*printer);
    fWindow.UpdateButtons();  // nothing that prints, saves or loads starts meanwhile
  }
  ~TRptWindowOperation() {
    fPrinterHeld.reset();  // may release the printer (the window sees it go)
    if (--fWindow.fRunning > 0) return;
    fWindow.UpdateButtons();
    if (fWindow.fClosePending) PostMessageW(fWindow.Handle(), WM_CLOSE, 0, 0);
  }
  TRptWindowOperation(const TRptWindowOperation&) = delete;
  TRptWindowOperation& operator=(const TRptWindowOperation&) = delete;

 private:
  TRptStandardPreview& fWindow;
  std::optional<TRptPrinterOperation> fPrinterHeld;
};

TRptStandardPreview::TRptStandardPreview(HWND owner, TRptPrinter* printer) {
  const UINT dpi = MonitorDpi(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY));
  const int width = Scaled(kDesignWidth, dpi), height = Scaled(kDesignHeight, dpi);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateHandle({.name = L"TRptStandardPreview",
                .icon = kProgramIcon,
                .cursor = LoadCursorW(nullptr, IDC_ARROW),
                .background = GetSysColorBrush(COLOR_BTNFACE)},
               {.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                .caption = L"Print Preview",
                .left = left, .top = top, .width = width, .height = height,
                .parent = owner});
  const UINT windowDpi = WindowDpi(Handle());
  StatusBar.Create(*this, kStatusBarId, StatusPanelWidths(windowDpi));
  SetProgressText("0%");
  StatusBar.SetPanelText(1, "Page");
  CreateToolBar(windowDpi);
  RptPreview.Create(*this);
  RptPreview.OnPageAvailable = [this](TWindow&, int32_t n) { RptPreviewPageAvailable(n); };
  RptPreview.OnProgressUpdate = [this](TWindow&, int32_t p) { RptPreviewProgressUpdate(p); };
  RptPreview.OnKeyPreview = [this](UINT key, uint32_t modifiers) {
    return FormKeyDown(key, modifiers);
  };
  ArrangeControls();
  RptPreview.AttachPrinter(printer);
  if (printer != nullptr && !printer->JobTitle().empty()) {
    SetWindowTextW(Handle(), Utf8ToWide(printer->JobTitle()).c_str());
  }
  ToolBar1.SetChecked(ZoomToWidth, true);
  UpdateButtons();
}

TRptStandardPreview::~TRptStandardPreview() { DestroyHandle(); }

void TRptStandardPreview::CreateToolBar(UINT dpi) {
  const int glyphSize = ToolbarGlyphSize(static_cast<int32_t>(dpi));
  fGlyphs.Reset(LoadGlyphs(glyphSize));
  ToolBar1.Create(*this, kToolBarId, fGlyphs.Get(), glyphSize, kGlyphMask);
  ToolBar1.AddSeparator();
  ToolBar1.AddButton({ZoomFit, 0, "Zoom to fit", true});
  ToolBar1.AddButton({Zoom100, 1, "100%", true});
  ToolBar1.AddButton({ZoomToWidth, 2, "Zoom to width", true, true});
  ToolBar1.AddSeparator();
  ToolBar1.AddButton({FirstPage, 3, "First page"});
  ToolBar1.AddButton({PreviousPage, 4, "Previous page"});
  ToolBar1.AddButton({ToolButton2, 5, "Next page"});
  ToolBar1.AddButton({LastPage, 6, "Last page"});
  ToolBar1.AddSeparator();
  ToolBar1.AddButton({PrintSetup, 7, "Printer setup", false, false, false});
  ToolBar1.AddButton({Print, 8, "Print", false, false, false});
  ToolBar1.AddSeparator();
  ToolBar1.AddButton({SaveReport, 10, "Save Report"});
  ToolBar1.AddButton({LoadReport, 9, "Load Report"});
  ToolBar1.AddSeparator();
  ToolBar1.OnClick = [this](int id) { OnToolButton(id); };
  ToolBar1.AutoSize();
  ExitButton.Create(*this, "&Close", ExitButtonBounds(dpi), ExitButtonId);
  ExitButton.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SetWindowPos(ExitButton.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ExitButton.OnClick = [this] { ExitClick(); };
}

ControlBounds TRptStandardPreview::ExitButtonBounds(UINT dpi) const {
  // The Close push button sits on the toolbar, right after its last divider.
  RECT last{};
  const auto count = static_cast<int>(SendMessageW(ToolBar1.Handle(), TB_BUTTONCOUNT, 0, 0));
  SendMessageW(ToolBar1.Handle(), TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  return {last.right, last.top + Scaled(1, dpi), Scaled(40, dpi), Scaled(22, dpi)};
}

void TRptStandardPreview::RescaleTo(UINT dpi) {
  const int glyphSize = ToolbarGlyphSize(static_cast<int32_t>(dpi));
  BitmapHandle glyphs(LoadGlyphs(glyphSize));
  ToolBar1.SetGlyphs(glyphs.Get(), glyphSize, kGlyphMask);
  fGlyphs = std::move(glyphs);
  ExitButton.SetBounds(ExitButtonBounds(dpi));
  StatusBar.SetPanelWidths(StatusPanelWidths(dpi));
}

void TRptStandardPreview::ArrangeControls() {
  RECT client{};
  GetClientRect(Handle(), &client);
  ToolBar1.AutoSize();
  StatusBar.AutoSize();
  const int top = ToolBar1.Height();
  const int height = client.bottom - top - StatusBar.Height();
  RptPreview.SetBounds(0, top, client.right, height > 0 ? height : 0);
}

void TRptStandardPreview::Show() {
  ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  SetForegroundWindow(Handle());
  SetFocus(RptPreview.Handle());
  ShowPageInfo();
}

void TRptStandardPreview::ShowPageInfo() {
  const TRptPrinter* printer = Printer();
  StatusBar.SetPanelText(1, PageInfoText(RptPreview.PageNumber(), printer ? printer->PageCount() : 0));
}

void TRptStandardPreview::SetProgressText(const std::string& text) {
  StatusBar.SetPanelText(0, "\t\t" + text);  // right-aligned
}

void TRptStandardPreview::UpdateButtons() {
  const TRptPrinter* printer = Printer();
  TRptPreviewPrinterState state;
  state.HasPrinter = printer != nullptr;
  if (printer != nullptr) {
    state.Phase = printer->Phase();
    state.FromFile = printer->FromFile();
    state.OperationRunning = printer->OperationRunning() || fRunning > 0;
  }
  const TRptToolbarStates states = ToolbarStates(state);
  ToolBar1.SetButtonEnabled(PrintSetup, states.PrintSetup);
  ToolBar1.SetButtonEnabled(Print, states.Print);
  ToolBar1.SetButtonEnabled(SaveReport, states.Save);
  ToolBar1.SetButtonEnabled(LoadReport, states.Load);
  // A finished printer still held by the operation that finished it: look again shortly.
  if (state.OperationRunning && state.Phase == TRptPrinterPhase::Finished) {
    SetTimer(Handle(), 1, 200, nullptr);
  }
}

void TRptStandardPreview::OnToolButton(int id) {
  // A disabled button's command can still arrive (posted); it is ignored like the press.
  if (!ToolBar1.ButtonEnabled(id)) return;
  switch (id) {
    case ZoomFit: ZoomToFitClick(); break;
    case Zoom100: ZoomTo100Click(); break;
    case ZoomToWidth: ZoomToWidthClick(); break;
    case FirstPage: FirstPageClick(); break;
    case PreviousPage: PrevPageClick(); break;
    case ToolButton2: NextPageClick(); break;
    case LastPage: LastPageClick(); break;
    case PrintSetup: PrintSetupClick(); break;
    case Print: PrintClick(); break;
    case SaveReport: SaveClick(); break;
    case LoadReport: LoadClick(); break;
  }
}

// The zoom buttons let the button's own redraw through before the layout work.
void TRptStandardPreview::ZoomToFitClick() {
  TRptWindowOperation operation(*this);
  ProcessPendingMessages();
  if (!fClosePending) RptPreview.FitPage();
}

void TRptStandardPreview::ZoomTo100Click() {
  TRptWindowOperation operation(*this);
  ProcessPendingMessages();
  if (!fClosePending) RptPreview.SetZoom(100);
}

void TRptStandardPreview::ZoomToWidthClick() {
  TRptWindowOperation operation(*this);
  ProcessPendingMessages();
  if (!fClosePending) RptPreview.FitWidth();
}

void TRptStandardPreview::FirstPageClick() {
  RptPreview.SetPageNumber(1);
  ShowPageInfo();
}

void TRptStandardPreview::PrevPageClick() {
  RptPreview.SetPageNumber(RptPreview.PageNumber() - 1);
  ShowPageInfo();
}

void TRptStandardPreview::NextPageClick() {
  RptPreview.SetPageNumber(RptPreview.PageNumber() + 1);
  ShowPageInfo();
}

void TRptStandardPreview::LastPageClick() {
  if (const TRptPrinter* printer = Printer()) RptPreview.SetPageNumber(printer->PageCount());
  ShowPageInfo();
}

void TRptStandardPreview::PrintClick() {
  TRptPrinter* printer = Printer();
  if (printer == nullptr) return;
  if (!printer->PrinterAvailable()) {
    ShowMessageBox(Handle(), kNoPrinterInstalled);
    return;
  }
  TRptWindowOperation operation(*this);
  printer->PrintPages();
}

void TRptStandardPreview::PrintSetupClick() {
  if (TRptPrinter* printer = Printer()) {
    TRptWindowOperation operation(*this);
    printer->RunPrintSetup();
  }
}

void TRptStandardPreview::SaveClick() {
  TRptPrinter* printer = Printer();
  if (printer == nullptr) return;
  // Saving an unfinished report would write nothing (or a short file): say so instead.
  if (printer->Phase() != TRptPrinterPhase::Finished || printer->InUse()) {
    ShowMessageBox(Handle(), "The report is not finished yet and cannot be saved now");
    return;
  }
  TRptWindowOperation operation(*this);
  const std::optional<std::string> path = AskSaveReportName(Handle());
  if (path && !fClosePending) SaveToReportFile(*printer, *path);
}

void TRptStandardPreview::LoadClick() {
  if (Printer() == nullptr) return;
  TRptWindowOperation operation(*this);
  const std::optional<std::string> path = AskLoadReportName(Handle());
  if (path && !fClosePending) LoadFile(*path);
}

void TRptStandardPreview::LoadFile(const std::string& path) {
  if (GetFileAttributesW(Utf8ToWide(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowMessageBox(Handle(), "File does not exist");
    return;
  }
  LoadReportFile(*Printer(), path);
  RptPreview.SetPageNumber(1);
  // The loaded pages may be of another paper: fit them anew in the current zoom mode.
  RptPreview.RefitOnResize();
  RptPreview.Image().SetPage(1);
  ShowPageInfo();
}

void TRptStandardPreview::ExitClick() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

bool TRptStandardPreview::FormKeyDown(UINT key, uint32_t modifiers) {
  // The Close button's access key.
  if (key == 'C' && (modifiers & kmAlt) != 0) {
    ExitClick();
    return true;
  }
  switch (PreviewKeyCommand(PreviewKeyOf(key), modifiers)) {
    case TRptPreviewCommand::Close: ExitClick(); return true;
    case TRptPreviewCommand::FirstPage: FirstPageClick(); return true;
    case TRptPreviewCommand::PrevPage: PrevPageClick(); return true;
    case TRptPreviewCommand::NextPage: NextPageClick(); return true;
    case TRptPreviewCommand::LastPage: LastPageClick(); return true;
    case TRptPreviewCommand::None: break;
  }
  return false;
}

void TRptStandardPreview::RptPreviewPageAvailable(int32_t) {
  ShowPageInfo();
  UpdateButtons();
}

void TRptStandardPreview::RptPreviewProgressUpdate(int32_t progress) {
  if (const std::optional<std::string> text = fShownProgress.Update(progress)) {
    SetProgressText(*text);
  }
}

void TRptStandardPreview::CloseWhenIdle() {
  if (fRunning > 0) {
    // The running operation ends first (a print of loaded pages stops at its next page).
    fClosePending = true;
    if (TRptPrinter* printer = Printer()) printer->RequestCancel();
    return;
  }
  FormClose();
  DestroyWindow(Handle());  // frees the window (WindowDestroyed)
}

void TRptStandardPreview::FormClose() {
  // The report releases the printer here, or cancels the generation that still uses it.
  if (TRptPrinter* printer = Printer()) printer->AnnounceClose();
}

LRESULT TRptStandardPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: CloseWhenIdle(); return 0;
    case WM_SIZE:
      if (RptPreview.HandleAllocated()) {
        ArrangeControls();
        RptPreview.LayoutPage();  // FormResize
      }
      return 0;
    case WM_TIMER:
      KillTimer(Handle(), wParam);
      UpdateButtons();
      return 0;
    case WM_SETFOCUS: SetFocus(RptPreview.Handle()); return 0;
    case WM_DPICHANGED: {
      // On a monitor of another scale: glyphs, panels and the Close button for it, then the
      // size the system suggests; the page follows that.
      RescaleTo(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR: {
      const auto formKeyDown = [this](UINT key, uint32_t modifiers) {
        return FormKeyDown(key, modifiers);
      };
      if (fKeys.Route(formKeyDown, message, wParam)) return 0;
      break;
    }
  }
  return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace ormind
