#include "platform/file_replace.h"

namespace ormind {
namespace {

DWORD LastErrorUnless(BOOL done) { return done ? ERROR_SUCCESS : GetLastError(); }
}  // namespace

ReplaceOutcome ReplaceFileRetrying(const std::wstring& source, const std::wstring& target) {
  const ReplaceSteps steps{
      .targetExists = [&] { return GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES; },
      .swapIntoExisting =
          [&] {
            return LastErrorUnless(ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
          },
      .moveOver =
          [&] {
            return LastErrorUnless(MoveFileExW(source.c_str(), target.c_str(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
          },
      .pause = [](unsigned milliseconds) { Sleep(milliseconds); }};
  return ReplaceWithRetries(steps);
}

}  // namespace ormind
