#include "ui/skin/rules/display_scale.h"

#include <cstdint>
#include <iterator>

namespace ormind {
namespace {

constexpr int kRenderings[] = {100, 125, 150, 200};

}  // namespace

int DisplayScale::Length(int layoutPixels) const {
  const std::int64_t product = static_cast<std::int64_t>(layoutPixels) * dpi_;
  const std::int64_t half = kLayoutDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kLayoutDpi
                                       : -((-product + half) / kLayoutDpi));
}

Bounds DisplayScale::Rect(const Bounds& layout) const {
  const int left = Length(layout.left), top = Length(layout.top);
  return {left, top, Length(layout.Right()) - left, Length(layout.Bottom()) - top};
}

int DisplayScale::RenderingPercent() const {
  // Compared exactly, so that a picture is never drawn up when a larger one exists.
  for (const int rendering : kRenderings) {
    if (rendering * kLayoutDpi >= dpi_ * 100) return rendering;
  }
  return kRenderings[std::size(kRenderings) - 1];
}

std::vector<std::wstring> DisplayScale::RenderingNames(std::wstring_view name100) const {
  const auto nameAt = [name100](int percent) {
    std::wstring name(name100);
    if (percent != 100) name += L"_" + std::to_wstring(percent);
    return name;
  };
  const int best = RenderingPercent();
  std::vector<std::wstring> names;
  for (const int rendering : kRenderings) {
    if (rendering >= best) names.push_back(nameAt(rendering));
  }
  for (auto r = std::rbegin(kRenderings); r != std::rend(kRenderings); ++r) {
    if (*r < best) names.push_back(nameAt(*r));
  }
  return names;
}

}  // namespace ormind
