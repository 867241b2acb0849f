#pragma once
// Opens a file in the program the system associates with it, without waiting for it.
#include <string>

namespace ormind {

// The path goes to the shell between double quotes (so paths with spaces work). Where no
// program is associated with the file's kind (a plain .txt or .ini on a fresh system), the
// file opens in Notepad. Returns false when neither worked. The thread must have called
// CoInitializeEx (the shell may hand the file to a component).
bool OpenInAssociatedProgram(const std::string& utf8Path);

// The quoted form handed to the shell.
std::wstring QuotedPath(const std::string& utf8Path);

}  // namespace ormind
