#include "platform/replace_retry.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace ormind {
namespace {

constexpr SystemErrorCode kNotSupported = 50, kPathNotFound = 3;
constexpr SystemErrorCode kHalfDone = kErrorUnableToMoveReplacement;

// A file system whose swap and move answer from scripts (an empty script succeeds). A swap
// that answers 1176 takes the old target away, as the system's does without a backup name.
struct ScriptedFiles {
  bool exists = true;
  std::deque<SystemErrorCode> swaps, moves;
  std::string calls;  // s: swap, m: move, pN: a pause of N ms
  unsigned paused = 0;

  ReplaceSteps Steps() {
    auto next = [this](std::deque<SystemErrorCode>& script, char call) {
      calls += call;
      if (script.empty()) return SystemErrorCode{0};
      const SystemErrorCode code = script.front();
      script.pop_front();
      return code;
    };
    return {[this] { return exists; },
            [this, next] {
              const SystemErrorCode code = next(swaps, 's');
              if (code == kHalfDone) exists = false;
              return code;
            },
            [this, next] { return next(moves, 'm'); },
            [this](unsigned ms) {
              calls += "p" + std::to_string(ms);
              paused += ms;
            }};
  }
};

TEST(ReplaceWithRetries, WaitsOutBriefHoldsAndFallsBackToAMove) {
  const std::deque<SystemErrorCode> held(8, kErrorSharingViolation);
  const struct {
    const char* what;
    bool exists;
    std::deque<SystemErrorCode> swaps, moves;
    SystemErrorCode result;
    bool onlyCopy;
    const char* calls;
  } cases[] = {
      {"existing target: one swap", true, {}, {}, 0, false, "s"},
      {"sharing violation twice, then the swap works", true,
       {kErrorSharingViolation, kErrorSharingViolation}, {}, 0, false, "sp50sp100s"},
      {"access denied and lock violation are passing too", true,
       {kErrorAccessDenied, kErrorLockViolation}, {}, 0, false, "sp50sp100s"},
      {"no swap where the target lives: move", true, {kNotSupported}, {}, 0, false, "sm"},
      {"half-done swap: move", true, {kHalfDone}, {}, 0, false, "sm"},
      {"half-done swap, the move held for a while", true, {kHalfDone},
       {kErrorSharingViolation, kErrorAccessDenied}, 0, false, "smp50mp100m"},
      {"half-done swap and every move fails: the new file is the only copy", true, {kHalfDone},
       held, kErrorSharingViolation, true, "smp50mp100mp200mp400mp800mp1600m"},
      {"half-done swap, then a lasting error: still the only copy", true, {kHalfDone},
       {kPathNotFound}, kPathNotFound, true, "sm"},
      {"no target: move, retried", false, {}, {kErrorSharingViolation}, 0, false, "mp50m"},
      {"no target and the move fails: nothing was lost", false, {}, held,
       kErrorSharingViolation, false, "mp50mp100mp200mp400mp800mp1600m"},
      {"a lasting error is not retried", false, {}, {kPathNotFound}, kPathNotFound, false, "m"},
      {"held for good: the target stays and so the new file may go", true, held, {},
       kErrorSharingViolation, false, "sp50sp100sp200sp400sp800sp1600s"},
  };
  for (const auto& c : cases) {
    ScriptedFiles files{c.exists, c.swaps, c.moves, "", 0};
    const ReplaceOutcome outcome = ReplaceWithRetries(files.Steps());
    EXPECT_EQ(outcome.code, c.result) << c.what;
    EXPECT_EQ(outcome.newFileIsOnlyCopy, c.onlyCopy) << c.what;
    EXPECT_EQ(files.calls, c.calls) << c.what;
    EXPECT_LE(files.paused, 3200u) << c.what;  // a few seconds at most
  }
}

}  // namespace
}  // namespace ormind
