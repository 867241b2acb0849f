#include "card/greeting_page.h"

namespace ormind {
namespace {

constexpr TRptColor kRed = 0x0000FF;
constexpr TRptColor kNavy = 0x800000;
constexpr TRptColor kMaroon = 0x000080;

TRptFont TimesNewRoman(int32_t heightAt96, uint32_t style, TRptColor color) {
  TRptFont font;
  font.Name = "Times New Roman";
  font.Height = -heightAt96;
  font.Style = style;
  font.Color = color;
  return font;
}

// The settings every text control of the card shares.
void ReadText(TRptCustomLabel& control, const TRptFont& font, int32_t points) {
  control.SetFont(font);
  control.FontSize = points;
  control.SetWordWrap(true);
  control.Transparent = true;
}

}  // namespace

TReport1::TReport1(TRptCanvas& referenceCanvas, const TRptEngineSettings& engine,
                   const TRptPictureFormats& pictureFormats, const TBuiltInPicture& background)
    : TReport(referenceCanvas, engine),
      TitleBand1(*this, TRptBandType::rbTitle),
      RptImage2(*this, pictureFormats),
      RptLabel1(*this),
      RptMemo1(*this),
      RptLabel2(*this) {
  ReadPage();
  ReadControls(background);
  Loaded();
}

void TReport1::ReadPage() {
  Page().SetPaperSize(TRptPaperSize::A4);
  Page().SetOrientation(TRptOrientation::Portrait);
  Page().SetColumns(1);
  Page().ReadValues({0, 2970, 0, 2100, 0, 0, 0});
  SetUnits(TRptUnit::Native);
  SetZoom(100);
  Options = FirstPageHeader | LastPageFooter;
  PrintIfEmpty = true;
  SnapToGrid = true;
  Font.Name = "Arial";
  Font.Height = -13;
  PrinterSettings = TReportPrinterSettings{};
  ReportTitle = "Greeting card";  // names the print job (and the file a PDF printer proposes)

  TitleBand1.Color = clWhite;
  TitleBand1.ReadSizeValues({2965.979166666667L, 2100.791666666667L});
  AddBand(TitleBand1);
}

void TReport1::ReadControls(const TBuiltInPicture& background) {
  RptImage2.Stretch = true;
  if (background) RptImage2.Picture().SetGraphic(background());
  RptImage2.ReadSizeValues({2965.979166666667L, 0, 0, 2098.1458333333335L});

  ReadText(RptLabel1, TimesNewRoman(32, fsBold, kRed), 24);
  RptLabel1.SetAlignment(TRptAlignment::taCenter);
  RptLabel1.SetAlignToBand(true);
  RptLabel1.SetAutoSize(true);
  RptLabel1.AutoStretch = true;
  // The placeholder captions the labels were laid out with; the editor replaces them.
  RptLabel1.SetCaption("RptLabel1");
  RptLabel1.ReadSizeValues({171.97916666666669L, 859.8958333333334L, 571.5L, 378.3541666666667L});

  ReadText(RptMemo1, TimesNewRoman(27, fsBold | fsItalic, kNavy), 20);
  RptMemo1.SetAlignment(TRptAlignment::taLeftJustify);
  RptMemo1.SetAutoSize(false);
  RptMemo1.ReadSizeValues({1060.9791666666667L, 444.5L, 973.6666666666669L, 1293.8125L});

  ReadText(RptLabel2, TimesNewRoman(24, fsBold, kMaroon), 18);
  RptLabel2.SetAlignment(TRptAlignment::taCenter);
  RptLabel2.SetAlignToBand(true);
  RptLabel2.SetAutoSize(true);
  RptLabel2.SetCaption("RptLabel2");
  RptLabel2.ReadPlainBounds({-46, 0, 0, 0});
  RptLabel2.ReadSizeValues({76.72916666666667L, 907.5208333333334L, 2159.0L, 285.75L});

  for (TRptPrintable* control :
       std::initializer_list<TRptPrintable*>{&RptImage2, &RptLabel1, &RptMemo1, &RptLabel2}) {
    TitleBand1.Add(*control);
  }
}

}  // namespace ormind
