#include "ui/tray/tray_icon_image.h"

#include <stdexcept>
#include <string>

#include "ui/tray/rules/icon_choice.h"
#include "platform/resource_bytes.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

HICON CopyOrNull(HICON icon) { return icon ? CopyIcon(icon) : nullptr; }

void Destroy(HICON icon) {
  if (icon) DestroyIcon(icon);
}

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
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits;
}

}  // namespace

TIcon::~TIcon() { Destroy(handle_); }

void TIcon::Adopt(HICON icon) {
  if (icon == handle_) return;
  Destroy(handle_);
  handle_ = icon;
  if (auto changed = OnChange) changed();
}

void TIcon::Assign(HICON icon) { Adopt(CopyOrNull(icon)); }

void TIcon::LoadFromResource(HINSTANCE module, const wchar_t* name) {
  const auto group = ParseIconGroup(ResourceBytes(module, name, RT_GROUP_ICON));
  const int chosen = ChooseIconImage(group, GetSystemMetrics(SM_CXICON),
                                     GetSystemMetrics(SM_CYICON), ScreenBitsPerPixel());
  if (chosen < 0) throw IconError(name, "not found");
  const auto& image = group[chosen];
  const auto bits = ResourceBytes(module, MAKEINTRESOURCEW(image.resourceId), RT_ICON);
  HICON icon = bits.empty() ? nullptr
                            : CreateIconFromResourceEx(const_cast<BYTE*>(bits.data()),
                                                       DWORD(bits.size()), TRUE, 0x00030000,
                                                       image.width, image.height, LR_DEFAULTCOLOR);
  if (!icon) throw IconError(name, "cannot be read");
  Adopt(icon);
}

TIconList::~TIconList() {
  for (HICON icon : icons_) Destroy(icon);
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
  Destroy(icons_.at(index));
  icons_.erase(icons_.begin() + index);
  Changed();
}

void TIconList::Replace(int index, HICON icon) {
  HICON copy = CopyOrNull(icon);
  Destroy(icons_.at(index));
  icons_[index] = copy;
  Changed();
}

void TIconList::Assign(const std::vector<HICON>& icons) {
  for (HICON icon : icons_) Destroy(icon);
  icons_.clear();
  for (HICON icon : icons) icons_.push_back(CopyOrNull(icon));
  Changed();
}

void TIconList::Clear() {
  if (icons_.empty()) return;
  Assign({});
}

}  // namespace ormind
