#include "ui/tray/tray_icon_image.h"

#include <stdexcept>
#include <string>

#include "ui/tray/rules/icon_choice.h"
#include "platform/resource_bytes.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

IconHandle CopyOrNull(HICON icon) { return IconHandle(icon ? CopyIcon(icon) : nullptr); }

// "Icon resource NAME <problem>", NAME being the name or "#" and the number.
std::runtime_error IconError(const wchar_t* name, const char* problem) {
  std::string message = "Icon resource ";
  if (IS_INTRESOURCE(name)) {
    message += '#';
    message += std::to_string(reinterpret_cast<UINT_PTR>(name));
  } else {
    message += WideToUtf8(name);
  }
  message += ' ';
  message += problem;
  return std::runtime_error(message);
}

int ScreenBitsPerPixel() {
  const WindowDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

}  // namespace

void TIcon::Adopt(IconHandle icon) {
  if (!icon && !handle_) return;  // nothing held, nothing new: no change to report
  handle_ = std::move(icon);
  if (auto changed = OnChange) changed();
}

void TIcon::Assign(HICON icon) { Adopt(CopyOrNull(icon)); }

void TIcon::LoadFromResource(HINSTANCE module, const wchar_t* name) {
  const auto group = ParseIconGroup(ResourceBytes(module, name, RT_GROUP_ICON));
  const int chosen = ChooseIconImage(group, GetSystemMetrics(SM_CXSMICON),
                                     GetSystemMetrics(SM_CYSMICON), ScreenBitsPerPixel());
  if (chosen < 0) throw IconError(name, "not found");
  const auto& image = group[chosen];
  const auto bits = ResourceBytes(module, MAKEINTRESOURCEW(image.resourceId), RT_ICON);
  IconHandle icon(bits.empty() ? nullptr
                              : CreateIconFromResourceEx(const_cast<BYTE*>(bits.data()),
                                                         DWORD(bits.size()), TRUE, 0x00030000,
                                                         image.width, image.height, LR_DEFAULTCOLOR));
  if (!icon) throw IconError(name, "cannot be read");
  Adopt(std::move(icon));
}

void TIconList::Changed() {
  if (updating_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (auto changed = OnChange) changed();
}

void TIconList::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Changed();
  }
}

void TIconList::Add(HICON icon) {
  icons_.push_back(CopyOrNull(icon));
  Changed();
}

void TIconList::Delete(int index) {
  (void)icons_.at(index);  // an index out of range throws before anything changes
  icons_.erase(icons_.begin() + index);
  Changed();
}

void TIconList::Replace(int index, HICON icon) {
  IconHandle copy = CopyOrNull(icon);
  icons_.at(index) = std::move(copy);
  Changed();
}

void TIconList::Assign(const std::vector<HICON>& icons) {
  std::vector<IconHandle> copies;
  for (HICON icon : icons) copies.push_back(CopyOrNull(icon));
  icons_ = std::move(copies);
  Changed();
}

void TIconList::Clear() {
  if (icons_.empty()) return;
  Assign({});
}

}  // namespace ormind
