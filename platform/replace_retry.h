#pragma once
// Replacing a file by a freshly written one, patiently. Virus scanners, the search indexer and
// sync tools open new files for a moment without letting them be deleted, so one attempt now
// and then fails with access denied or a sharing violation although a second one, a little
// later, would work. The steps are passed in, so the rule is the same for every caller and can
// be exercised without the system.
#include <functional>

namespace ormind {

// System error numbers (0 is success).
using SystemErrorCode = unsigned long;
inline constexpr SystemErrorCode kErrorAccessDenied = 5;
inline constexpr SystemErrorCode kErrorSharingViolation = 32;
inline constexpr SystemErrorCode kErrorLockViolation = 33;

// The errors another program's brief hold on the file gives; anything else will not go away by
// waiting.
bool IsPassingFileError(SystemErrorCode code);

struct ReplaceSteps {
  std::function<bool()> targetExists;
  // Swaps the new file in over an existing target, keeping the target's permissions and
  // attributes; may be unsupported where the target lives.
  std::function<SystemErrorCode()> swapIntoExisting;
  // Moves the new file onto the target's name, replacing what is there.
  std::function<SystemErrorCode()> moveOver;
  std::function<void()> pause;  // about 50 ms
};

inline constexpr int kReplaceAttempts = 6;

// Runs the replacement: the swap when the target exists, else (or when the swap fails for
// good) the move; passing errors are retried up to `attempts` times with a pause between. Returns 0 or
// the last error.
SystemErrorCode ReplaceWithRetries(const ReplaceSteps& steps, int attempts = kReplaceAttempts);

}  // namespace ormind
