#include "report/model/line_wrap.h"

#include <algorithm>

namespace ormind {
namespace {

// Bytes of the UTF-8 character that starts at `pos` (1 for a stray byte).
size_t CharLength(const std::string& text, size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  n = std::min(n, text.size() - pos);
  for (size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return i;
  }
  return n;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    word += c;
    if (c == ' ' || c == '-' || c == '\r') words.push_back(std::move(word)), word.clear();
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

class LineFiller {
 public:
  LineFiller(int32_t maxWidth, const TRptTextWidth& width, std::vector<std::string>& lines)
      : max_(maxWidth), width_(width), lines_(lines) {}

  void Fill(const std::string& text) {
    for (const std::string& word : SplitWords(text)) Add(word);
    Emit();
  }

 private:
  void Add(std::string word) {
    while (!word.empty()) {
      if (width_(line_ + word) <= max_) {
        line_ += word;
        return;
      }
      const bool startsLine = line_.empty();
      if (!startsLine) {
        Emit();
        if (width_(word) <= max_) {
          line_ = std::move(word);
          return;
        }
      }
      if (max_ <= 0) {  // a control without width has no room for any of it
        if (startsLine) Emit();
        return;
      }
      // A word too wide for a line of its own is cut: on a fresh line, characters move in while
      // the line stays narrower than the control; after a full line, it keeps as much as is not
      // wider. The rest goes on to the next line by the first rule.
      const size_t taken = startsLine ? TakeWhile(word, [&](const std::string& prefix) {
        return width_(prefix) < max_;
      })
                                      : TakeWhile(word, [&](const std::string& prefix) {
                                          return width_(prefix) <= max_;
                                        });
      line_ = word.substr(0, taken);
      Emit();
      word.erase(0, taken);
    }
  }

  // The length of the longest run of whole characters from the start that `fits`, at least one
  // character so that every line takes some of the word.
  static size_t TakeWhile(const std::string& word,
                          const std::function<bool(const std::string&)>& fits) {
    size_t end = CharLength(word, 0);
    while (end < word.size()) {
      const size_t next = end + CharLength(word, end);
      if (!fits(word.substr(0, next))) break;
      end = next;
    }
    return end;
  }

  void Emit() {
    lines_.push_back(std::move(line_));
    line_.clear();
  }

  int32_t max_;
  const TRptTextWidth& width_;
  std::vector<std::string>& lines_;
  std::string line_;
};

}  // namespace

void WrapText(const std::string& text, bool autoSize, int32_t maxWidth,
              const TRptTextWidth& width, std::vector<std::string>& lines) {
  std::string plain;
  std::copy_if(text.begin(), text.end(), std::back_inserter(plain), [](char c) { return c != '\n'; });
  size_t start = 0;
  for (;;) {
    const size_t cr = plain.find('\r', start);
    const std::string piece = plain.substr(start, cr == std::string::npos ? cr : cr - start);
    if (autoSize) {
      lines.push_back(piece);
    } else {
      LineFiller(maxWidth, width, lines).Fill(piece);
    }
    if (cr == std::string::npos) break;
    start = cr + 1;
  }
}

}  // namespace ormind

