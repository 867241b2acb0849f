#include "report/printer/printer_choice.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(ChoosePrinter, EveryStateOfThePrintersGivesAPrinterOrNone) {
  const std::vector<std::string> three{"Office", "PDF", "Label"};
  const struct {
    const char* name;
    std::vector<std::string> names;
    int32_t requested;
    std::string defaultName;
    int32_t chosen;
  } cases[] = {
      {"the default", three, -1, "PDF", 1},
      {"no default", three, -1, "", 0},
      {"a stale default", three, -1, "Gone", 0},
      {"an index in the list", three, 2, "PDF", 2},
      {"a vanished index", three, 3, "PDF", 0},
      {"far past the list", three, 40, "", 0},
      {"below the default's -1", three, -7, "Label", 2},
      {"no printer installed", {}, -1, "PDF", -1},
      {"no printer, an index", {}, 0, "", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChoosePrinter(c.names, c.requested, c.defaultName), c.chosen) << c.name;
  }
}

}  // namespace
}  // namespace ormind
