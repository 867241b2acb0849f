#include "card/greeting_fill.h"

namespace ormind {

std::vector<std::string> SplitGreetingLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  lines.push_back(std::move(line));
  return lines;
}

void FillCard(TReport1& card, const TGreetingTexts& texts, const std::string& printPicture,
              const std::function<bool(const std::string&)>& fileExists,
              const TBuiltInPicture& builtIn) {
  card.RptLabel1.SetCaption(texts.Salutation);
  card.RptLabel2.SetCaption(texts.Signature);
  card.RptMemo1.SetLines(SplitGreetingLines(texts.Greeting));
  if (printPicture.empty()) return;  // the picture last held stays
  if (fileExists(printPicture)) {
    card.RptImage2.Picture().LoadFromFile(printPicture);
  } else if (builtIn) {
    // The setting names a file absent today (a drive not attached): the card still prints.
    card.RptImage2.Picture().SetGraphic(builtIn());
  }
}

}  // namespace ormind
