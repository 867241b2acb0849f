#pragma once
// The greeting card's page: one title band covering an A4 portrait page, with the background
// picture, the salutation, the greeting text and the signature on it. The greeting editor fills
// the three texts and the picture, then previews or prints the report.
#include <functional>
#include <memory>

#include "report/model/band.h"
#include "report/model/image.h"
#include "report/model/label.h"
#include "report/model/report.h"

namespace ormind {

// Supplies the page's built-in background picture (a JPEG of 1654 x 2339 pixels that the
// Windows side embeds and decodes); empty where there is none, as in the native tests.
using TBuiltInPicture = std::function<std::unique_ptr<TRptGraphic>()>;

class TReport1 : public TReport {
 public:
  TReport1(TRptCanvas& referenceCanvas, const TRptEngineSettings& engine,
           const TRptPictureFormats& pictureFormats, const TBuiltInPicture& background = {});

  TRptBand TitleBand1;
  TRptImage RptImage2;  // background, stretched over the page
  TRptLabel RptLabel1;  // salutation, centred
  TRptMemo RptMemo1;    // greeting text
  TRptLabel RptLabel2;  // signature, centred

 private:
  void ReadPage();
  void ReadControls(const TBuiltInPicture& background);
};

}  // namespace ormind
