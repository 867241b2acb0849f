#pragma once
// Puts a freshly written file in place of a target, in one step, on Windows: an existing target
// keeps its permissions and attributes, and brief holds by other programs are waited out.
#include <windows.h>

#include <string>

namespace ormind {

// Returns ERROR_SUCCESS, or the error of the last attempt; `source` is gone on success.
DWORD ReplaceFileRetrying(const std::wstring& source, const std::wstring& target);

}  // namespace ormind
