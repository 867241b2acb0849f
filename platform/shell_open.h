#pragma once
// Opens a file in the program the system associates with it, without waiting for it.
#include <string>

namespace ormind {

// The path goes to the shell between double quotes (so paths with spaces work); whether the
// shell managed to open it is not reported.
void OpenInAssociatedProgram(const std::string& utf8Path);

// The quoted form handed to the shell.
std::wstring QuotedPath(const std::string& utf8Path);

}  // namespace ormind
