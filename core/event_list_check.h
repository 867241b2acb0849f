#pragma once
// The lines of an event list that the day view passes over, and why: what a user runs when
// someone is missing from the view.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ormind {

enum class SkipReason { NoEquals, NoDate, DateDoesNotDecode, NeverFalls, OutsideSections };

struct SkippedLine {
  uint32_t line = 0;     // from 1
  std::string section;   // UTF-8, as written in its header; empty before the first header
  SkipReason reason = SkipReason::NoEquals;
  std::string text;      // UTF-8: the line, or name=value of an entry
  friend bool operator==(const SkippedLine&, const SkippedLine&) = default;
};

// Reads the list piece by piece, with the same reader and date rule as the day view.
class EventListChecker {
 public:
  explicit EventListChecker(int codePage);
  ~EventListChecker();
  void Feed(std::string_view piece);
  // Every skipped line, in file order.
  std::vector<SkippedLine> Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

std::string_view SkipReasonText(SkipReason reason);

// "12 [Birthday] no \"=\": Ivan 05.03.1970"
std::string FormatSkippedLine(const SkippedLine& skipped);

}  // namespace ormind
