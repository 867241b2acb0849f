#pragma once
// Puts a freshly written file in place of a target, in one step, on Windows: an existing target
// keeps its permissions and attributes, and brief holds by other programs are waited out.
#include <windows.h>

#include <string>

#include "platform/replace_retry.h"

namespace ormind {

// `source` is gone on success. On failure `code` is the error of the last attempt, and when
// `newFileIsOnlyCopy` is set the target is gone and `source` must be kept.
ReplaceOutcome ReplaceFileRetrying(const std::wstring& source, const std::wstring& target);

}  // namespace ormind
