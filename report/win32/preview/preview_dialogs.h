#pragma once
// The preview's file dialogs for saving and loading report files. Both are owned by the
// preview window and modal to it, so nothing else in it can be pressed while one is open.
#include <windows.h>

#include <optional>
#include <string>

namespace ormind {

inline constexpr const char* kReportExtension = "ORP";

// "Save report": a name typed without an extension gets ".ORP"; an existing file is replaced
// only after the user agreed to it. The chosen path (UTF-8), or none when cancelled.
std::optional<std::string> AskSaveReportName(HWND owner);
// "Load report": the chosen path (UTF-8), or none when cancelled. The file need not exist.
std::optional<std::string> AskLoadReportName(HWND owner);

// The dialogs' filters as "text|pattern": the save filter without a blank before the
// parenthesis, the load filter with one.
std::string SaveReportFilter();
std::string LoadReportFilter();

}  // namespace ormind
