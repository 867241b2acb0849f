#include "ui/skin/rules/button_row.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(ButtonRow, MainWindowButtonsRestAndGrowCentred) {
  for (int n = 1; n <= 7; ++n) {
    const Bounds rest = kMainButtonRow.Resting(n);
    EXPECT_EQ(rest, (Bounds{40 * n - 16, 252, 32, 32})) << n;
    const Bounds hover = kMainButtonRow.Hovered(n);
    EXPECT_EQ(hover, (Bounds{40 * n - 18, 250, 36, 36})) << n;
    // Centred on the resting place.
    EXPECT_EQ(hover.left + hover.width / 2, rest.left + rest.width / 2);
    EXPECT_EQ(hover.top + hover.height / 2, rest.top + rest.height / 2);
  }
  EXPECT_EQ(kMainButtonRow.Hovered(4), (Bounds{142, 250, 36, 36}));
}

TEST(ButtonRow, EditorButtonsGrowToTheRight) {
  EXPECT_EQ(kEditorButtonRow.Resting(1), (Bounds{344, 36, 32, 32}));
  EXPECT_EQ(kEditorButtonRow.Resting(2), (Bounds{384, 36, 32, 32}));
  EXPECT_EQ(kEditorButtonRow.Hovered(1), (Bounds{344, 34, 36, 36}));
  EXPECT_EQ(kEditorButtonRow.Hovered(2), (Bounds{384, 34, 36, 36}));
}

TEST(ButtonRow, PressLiftsAndReleaseDropsBackAt33) {
  const Bounds rest = kMainButtonRow.Resting(3);
  const Bounds pressed = ButtonRow::Pressed(rest);
  EXPECT_EQ(pressed, (Bounds{104, 250, 32, 32}));
  EXPECT_EQ(ButtonRow::Released(pressed), (Bounds{104, 252, 33, 33}));
  // Pressed while hovered: lifted from the enlarged place, dropped back to it.
  const Bounds hovered = kMainButtonRow.Hovered(3);
  EXPECT_EQ(ButtonRow::Released(ButtonRow::Pressed(hovered)), (Bounds{102, 250, 33, 33}));
}

TEST(ButtonNumber, ReadsTheLastDigitOfButtonNames) {
  const struct {
    const char* name;
    std::optional<int> number;
  } cases[] = {
      {"btn1", 1}, {"btn7", 7}, {"btn0", 0}, {"Image1", std::nullopt}, {"btn", std::nullopt},
      {"btnX", std::nullopt}, {"ScrollBox1", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonNumber(c.name), c.number) << c.name;
}

}  // namespace
}  // namespace ormind
