#pragma once
// Replacing a file by a freshly written one, patiently. Virus scanners, the search indexer and
// sync tools open new files for a moment without letting them be deleted, so one attempt now
// and then fails with access denied or a sharing violation although a later one would work.
// The steps are passed in, so the rule is the same for every caller and can be exercised
// without the system.
#include <functional>

namespace ormind {

// System error numbers (0 is success).
using SystemErrorCode = unsigned long;
inline constexpr SystemErrorCode kErrorAccessDenied = 5;
inline constexpr SystemErrorCode kErrorSharingViolation = 32;
inline constexpr SystemErrorCode kErrorLockViolation = 33;
// The swap removed the old target but could not give the new file its name.
inline constexpr SystemErrorCode kErrorUnableToMoveReplacement = 1176;

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
  std::function<void(unsigned milliseconds)> pause;
};

// Waits between attempts double from the first: 50, 100, ... 1600 ms, about 3 s in all, which
// outlasts the hold of a sync tool uploading a small file.
inline constexpr int kReplaceAttempts = 7;
inline constexpr unsigned kFirstReplacePauseMs = 50;

struct ReplaceOutcome {
  SystemErrorCode code = 0;  // 0 or the last error
  // The replacement failed after the old target had gone: the new file, still under its own
  // name, is the only copy left and must not be deleted.
  bool newFileIsOnlyCopy = false;
};

// Runs the replacement: the swap when the target exists, else (or when the swap fails for
// good) the move; passing errors are retried up to `attempts` times with growing pauses.
ReplaceOutcome ReplaceWithRetries(const ReplaceSteps& steps, int attempts = kReplaceAttempts);

}  // namespace ormind
