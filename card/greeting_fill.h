#pragma once
// What the greeting editor's print button puts into the card before the preview opens: the
// three texts, and the background picture the settings name.
#include <functional>
#include <string>
#include <vector>

#include "card/greeting_page.h"

namespace ormind {

struct TGreetingTexts {
  std::string Salutation;  // UTF-8, one line
  std::string Greeting;    // UTF-8, lines separated by CR LF (as a multi-line edit holds them)
  std::string Signature;   // UTF-8, one line
};

// The greeting's lines, one per line break typed (CR LF, or a lone LF or CR).
std::vector<std::string> SplitGreetingLines(const std::string& text);

// Copies the texts into the card; then, when `printPicture` is set, loads the card's background
// from it. A file that does not exist (today) gives the built-in picture; a file that cannot be
// loaded raises the loader's error and leaves the previous picture.
void FillCard(TReport1& card, const TGreetingTexts& texts, const std::string& printPicture,
              const std::function<bool(const std::string&)>& fileExists,
              const TBuiltInPicture& builtIn);

}  // namespace ormind
