#pragma once
// What the page store needs from the platform's file system. Paths are UTF-8.
// One implementation per platform: file_system_posix.cpp and file_system_win32.cpp.
#include <cstdio>
#include <string>

namespace ormind {

// Creates a new, uniquely named file with the prefix "ORP" in the temporary folder, open for
// reading and writing, sets `name` to its path and returns the open stream. On Windows the
// system deletes the file when it is closed, however the process ends; elsewhere the caller
// deletes it. Throws ERptError when no such file can be made.
std::FILE* OpenSpillFile(std::string& name);

// Deletes the "ORP*.tmp" files that earlier runs left in the temporary folder. A file another
// running copy still holds cannot be deleted and stays.
void SweepStaleSpillFiles();

// Replaces `target` by `source` in one step (the target may or may not exist). On failure the
// target is untouched, `source` is left for the caller to remove, and ERptError is thrown;
// when the target was lost on the way, ERptNewFileKept names `source`, which must then stay.
void ReplaceFileWith(const std::string& source, const std::string& target);

// Creates an empty, uniquely named file in the folder of `target` (so that it can later replace
// `target` in one step) and returns its path. Throws ERptError when the folder is not writable.
std::string MakeSiblingTempFile(const std::string& target);

// Opens `path` with the C runtime, "rb" when `readOnly`, else "w+b" (created or emptied),
// without denying other processes any access; null when it cannot be opened.
std::FILE* OpenFileStream(const std::string& path, bool readOnly);

// Whether the two paths name one and the same existing file (through links, other spellings or
// another case where the file system ignores case); false when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// Deletes a file; failures are ignored (used for clean-up only).
void DeleteFileQuietly(const std::string& path);

}  // namespace ormind
