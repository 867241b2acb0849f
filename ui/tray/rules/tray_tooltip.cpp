#include "ui/tray/rules/tray_tooltip.h"

#include "base/utf16_units.h"

namespace ormind {

std::string_view ShortHint(std::string_view hint) {
  const std::size_t bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(0, bar);
}

std::string TrayTooltip(std::string_view hint) {
  const std::string_view text = ShortHint(hint);
  return std::string(text.substr(0, Utf8PrefixWithinUnits(text, kTooltipMaxUnits)));
}

}  // namespace ormind
