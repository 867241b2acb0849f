#pragma once
// A printable picture: stretched into its box, or at its natural size clipped to the box.
#include "report/model/picture_registry.h"
#include "report/model/printable.h"

namespace ormind {

class TRptImage : public TRptPrintable {
 public:
  TRptImage(TCustomReport& report, const TRptPictureFormats& formats);

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  bool Stretch = false;
  bool Center = false;
  // With AutoSize a newly loaded picture sizes the control to its pixels.
  bool AutoSize = false;

  void PrintAt(long double x, long double y) override;

 private:
  void PictureChanged();
  TRptRect NaturalRect(const TRptRect& box) const;

  TPicture picture_;
};

}  // namespace ormind
