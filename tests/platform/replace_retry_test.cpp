#include "platform/replace_retry.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace ormind {
namespace {

constexpr SystemErrorCode kNotSupported = 50, kCannotMoveReplacement = 1176, kPathNotFound = 3;

// A file system whose swap and move answer from scripts (an empty script succeeds).
struct ScriptedFiles {
  bool exists = true;
  std::deque<SystemErrorCode> swaps, moves;
  std::string calls;  // s: swap, m: move, p: pause

  ReplaceSteps Steps() {
    auto next = [this](std::deque<SystemErrorCode>& script, char call) {
      calls += call;
      if (script.empty()) return SystemErrorCode{0};
      const SystemErrorCode code = script.front();
      script.pop_front();
      return code;
    };
    return {[this] { return exists; }, [this, next] { return next(swaps, 's'); },
            [this, next] { return next(moves, 'm'); }, [this] { calls += 'p'; }};
  }
};

TEST(ReplaceWithRetries, WaitsOutBriefHoldsAndFallsBackToAMove) {
  const struct {
    const char* what;
    bool exists;
    std::deque<SystemErrorCode> swaps, moves;
    SystemErrorCode result;
    const char* calls;
  } cases[] = {
      {"existing target: one swap", true, {}, {}, 0, "s"},
      {"sharing violation twice, then the swap works", true,
       {kErrorSharingViolation, kErrorSharingViolation}, {}, 0, "spsps"},
      {"access denied and lock violation are passing too", true,
       {kErrorAccessDenied, kErrorLockViolation}, {}, 0, "spsps"},
      {"no swap where the target lives: move", true, {kNotSupported}, {}, 0, "sm"},
      {"half-done swap: move", true, {kCannotMoveReplacement}, {}, 0, "sm"},
      {"no target: move, retried", false, {}, {kErrorSharingViolation}, 0, "mpm"},
      {"a lasting error is not retried", false, {}, {kPathNotFound}, kPathNotFound, "m"},
      {"held for good: gives up after six attempts", true,
       {32, 32, 32, 32, 32, 32, 32}, {}, kErrorSharingViolation, "spspspspsps"},
  };
  for (const auto& c : cases) {
    ScriptedFiles files{c.exists, c.swaps, c.moves, ""};
    EXPECT_EQ(ReplaceWithRetries(files.Steps()), c.result) << c.what;
    EXPECT_EQ(files.calls, c.calls) << c.what;
  }
}

}  // namespace
}  // namespace ormind
