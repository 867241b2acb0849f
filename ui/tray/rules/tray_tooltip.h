#pragma once
// The tooltip the shell shows for the tray icon.
#include <cstddef>
#include <string>
#include <string_view>

namespace ormind {

// The notify record holds 64 UTF-16 units, the last one the terminator.
inline constexpr std::size_t kTooltipMaxUnits = 63;

// The short part of a hint: the text before its first "|" (all of it when there is none).
std::string_view ShortHint(std::string_view hint);

// The tooltip for a hint: its short part, cut to at most 63 UTF-16 units without splitting a
// character. `hint` is UTF-8; a malformed byte counts as one unit and is kept as it is.
std::string TrayTooltip(std::string_view hint);

}  // namespace ormind
