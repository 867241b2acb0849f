#pragma once
// Breaking a label's or memo's text into the lines it prints.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ormind {

// The width of a piece of text (UTF-8) in the control's pixels.
using TRptTextWidth = std::function<int32_t(const std::string&)>;

// Appends the lines of one source text to `lines`. Line feeds are dropped and every carriage
// return ends a line. With `autoSize` each piece is one line as it stands; otherwise words
// (ending just after a space or hyphen) fill lines no wider than `maxWidth`, and a word wider
// than that is cut character by character over as many lines as it needs.
void WrapText(const std::string& text, bool autoSize, int32_t maxWidth,
              const TRptTextWidth& width, std::vector<std::string>& lines);

}  // namespace ormind
