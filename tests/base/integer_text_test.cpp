#include "base/integer_text.h"

#include <gtest/gtest.h>

namespace ormind {
namespace {

TEST(IntegerText, ConvertsLikeTheRuntime) {
  const struct {
    const char* text;
    std::optional<int32_t> expected;
  } cases[] = {
      {"05", 5},          {" 3", 3},           {"-7", -7},          {"+7", 7},
      {"$1F", 31},        {"x10", 16},         {"X10", 16},         {"0x0A", 10},
      {"0X0a", 10},       {"-$10", -16},       {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},              {"$FFFFFFFF", -1},   {"0", 0},
      {"", std::nullopt}, {" ", std::nullopt}, {"5.", std::nullopt}, {"ten", std::nullopt},
      {"3 ", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt}, {"--1", std::nullopt},
      {"2147483648", std::nullopt},            {"$100000000", std::nullopt},
      {"1e3", std::nullopt},                   {"\t3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << c.text;
}

TEST(IntegerText, SettingFallsBackWhenNotANumber) {
  EXPECT_EQ(ParseIntegerSetting("0x0A", 3), 10);
  EXPECT_EQ(ParseIntegerSetting("ten", 3), 3);
  EXPECT_EQ(ParseIntegerSetting("", 1049), 1049);
  EXPECT_EQ(ParseIntegerSetting("1049", 1033), 1049);
}

}  // namespace
}  // namespace ormind
