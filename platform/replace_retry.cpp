#include "platform/replace_retry.h"

namespace ormind {

bool IsPassingFileError(SystemErrorCode code) {
  return code == kErrorAccessDenied || code == kErrorSharingViolation ||
         code == kErrorLockViolation;
}

ReplaceOutcome ReplaceWithRetries(const ReplaceSteps& steps, int attempts) {
  const bool targetWasThere = steps.targetExists();
  bool targetRemovedBySwap = false;
  SystemErrorCode code = 0;
  unsigned pause = kFirstReplacePauseMs;
  for (int attempt = 1;; ++attempt) {
    if (steps.targetExists()) {
      code = steps.swapIntoExisting();
      if (code == kErrorUnableToMoveReplacement) targetRemovedBySwap = true;
      // A swap that failed for good (a file system without it, a half-done swap) leaves the
      // new file under its own name: the plain move still does the job or says why it cannot.
      if (code != 0 && !IsPassingFileError(code)) code = steps.moveOver();
    } else {
      code = steps.moveOver();
    }
    if (code == 0) return {};
    if (!IsPassingFileError(code) || attempt >= attempts) break;
    steps.pause(pause);
    pause *= 2;
  }
  return {code, targetRemovedBySwap || (targetWasThere && !steps.targetExists())};
}

}  // namespace ormind
