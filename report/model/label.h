#pragma once
// Text controls: a label prints its caption, a memo its lines. Both break their text into
// formatted lines that fit their width, can size themselves to their text, and continue on the
// next page when they stretch past their band.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "report/model/printable.h"

namespace ormind {

enum class TRptBiDiMode { bdLeftToRight, bdRightToLeft };

class TRptCustomLabel : public TRptPrintable {
 public:
  explicit TRptCustomLabel(TCustomReport& report);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool AutoStretch = false;
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  const TRptFont& Font() const { return font_; }
  void SetFont(const TRptFont& font);
  // The font's size in points as stored with the form; above 0 it sets the font's height at
  // the screen's resolution when the form has been read.
  int32_t FontSize = 0;
  TRptBiDiMode BiDiMode = TRptBiDiMode::bdLeftToRight;

  // The text broken into the lines that will print, and the next one to print.
  const std::vector<std::string>& FormattedLines() const { return lines_; }
  size_t CurrentLine() const { return currentLine_; }

  // Re-formats the lines from the text; with AutoSize the control takes the width of its
  // widest line, keeping its right edge or centre where its alignment puts the text.
  void WrapLines();

  void Loaded() override;
  void PrintAt(long double x, long double y) override;

 protected:
  virtual std::vector<std::string> SourceTexts() const = 0;
  // A label is at least one line high even without AutoSize.
  virtual bool KeepsOneLineHeight() const { return false; }

 private:
  TRptAlignment EffectiveAlignment() const;
  int32_t TextWidth(const std::string& text) const;
  void FitWidthToLines();
  void GrowToOneLine();
  TRptFont FontForDevice(int32_t pixelsPerInch) const;
  // Prints the remaining lines from `top`; returns how far the control stretched its band.
  long double PrintLines(long double anchorX, TRptTextAlign align, long double left,
                         long double top, long double width, long double height,
                         long double lineHeight);

  bool autoSize_ = true;
  bool wordWrap_ = true;
  TRptFont font_;
  std::vector<std::string> lines_;
  size_t currentLine_ = 0;
};

class TRptLabel : public TRptCustomLabel {
 public:
  explicit TRptLabel(TCustomReport& report) : TRptCustomLabel(report) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // May change the text printed this once.
  std::function<void(TRptLabel&, std::string& text)> OnPrint;

  void Prepare(TRptPageTarget& target) override;
  void PrintAt(long double x, long double y) override;

 protected:
  std::vector<std::string> SourceTexts() const override { return {caption_}; }
  bool KeepsOneLineHeight() const override { return true; }

 private:
  std::string caption_;
};

class TRptMemo : public TRptCustomLabel {
 public:
  explicit TRptMemo(TCustomReport& report) : TRptCustomLabel(report) {}

  const std::vector<std::string>& Lines() const { return source_; }
  // Copies the lines; they are formatted when the memo next prints.
  void SetLines(const std::vector<std::string>& lines) { source_ = lines; }

 protected:
  std::vector<std::string> SourceTexts() const override { return source_; }

 private:
  std::vector<std::string> source_;
};

}  // namespace ormind
