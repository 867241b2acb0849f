#include "platform/replace_retry.h"

namespace ormind {

bool IsPassingFileError(SystemErrorCode code) {
  return code == kErrorAccessDenied || code == kErrorSharingViolation ||
         code == kErrorLockViolation;
}

SystemErrorCode ReplaceWithRetries(const ReplaceSteps& steps, int attempts) {
  SystemErrorCode code = 0;
  for (int attempt = 1;; ++attempt) {
    if (steps.targetExists()) {
      code = steps.swapIntoExisting();
      // A swap that failed for good (a file system without it, a half-done swap) leaves the
      // new file under its own name: the plain move still does the job or says why it cannot.
      if (code != 0 && !IsPassingFileError(code)) code = steps.moveOver();
    } else {
      code = steps.moveOver();
    }
    if (code == 0 || !IsPassingFileError(code) || attempt >= attempts) return code;
    steps.pause();
  }
}

}  // namespace ormind
