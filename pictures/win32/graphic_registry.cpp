#include "pictures/win32/graphic_registry.h"

#include <algorithm>

#include "pictures/win32/bitmap_graphic.h"
#include "pictures/win32/jpeg_graphic.h"
#include "pictures/win32/png_graphic.h"
#include "pictures/picture_error.h"
#include "pictures/stored_picture.h"
#include "platform/handles.h"
#include "platform/resource_bytes.h"
#include "platform/text_encoding.h"

namespace ormind {
namespace {

// Names taken from a file are shown in messages; keep them printable.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
  }
  return out;
}

}  // namespace

std::vector<uint8_t> ReadPictureFile(const std::string& path) {
  // Owned, so that a failed allocation below does not leave the file open.
  const FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw PictureError("Cannot open file \"" + path + "\"");
  std::vector<uint8_t> bytes;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file.Get(), &size) && size.QuadPart < (int64_t{1} << 30);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() ||
         (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
          read == bytes.size());
  }
  if (!ok) throw PictureError("Cannot read file \"" + path + "\"");
  return bytes;
}

GraphicRegistry& GraphicRegistry::Instance() {
  static GraphicRegistry registry = [] {
    GraphicRegistry r;
    r.RegisterGraphicClass("TBitmap", [] { return std::make_unique<TBitmap>(); });
    r.RegisterGraphicClass("TJPEGImage", [] { return std::make_unique<TJPEGImage>(); });
    r.RegisterGraphicClass("TPngImage", [] { return std::make_unique<TPngImage>(); });
    return r;
  }();
  return registry;
}

void GraphicRegistry::RegisterGraphicClass(std::string className, Factory factory) {
  classes_.push_back({std::move(className), std::move(factory)});
}

std::unique_ptr<TGraphic> GraphicRegistry::CreateByClassName(std::string_view className) const {
  const auto found = std::find_if(classes_.rbegin(), classes_.rend(),
                                  [&](const ClassEntry& e) { return e.name == className; });
  if (found == classes_.rend()) throw PictureError("Class " + Printable(className) + " not found");
  return found->factory();
}

std::unique_ptr<TGraphic> LoadStoredPicture(std::span<const uint8_t> stored) {
  const StoredPicture picture = SplitStoredPicture(stored);
  auto graphic = GraphicRegistry::Instance().CreateByClassName(picture.className);
  graphic->ReadStoredData(picture.data);
  return graphic;
}

std::unique_ptr<TGraphic> LoadStoredPictureResource(const wchar_t* resourceName) {
  const auto bytes = ResourceBytes(GetModuleHandleW(nullptr), resourceName, RT_RCDATA);
  if (bytes.empty()) throw PictureError("Resource " + WideToUtf8(resourceName) + " not found");
  return LoadStoredPicture(bytes);
}

std::unique_ptr<TGraphic> LoadFirstStoredPictureResource(const std::vector<std::wstring>& resourceNames) {
  for (const std::wstring& name : resourceNames) {
    const auto bytes = ResourceBytes(GetModuleHandleW(nullptr), name.c_str(), RT_RCDATA);
    if (!bytes.empty()) return LoadStoredPicture(bytes);
  }
  return LoadStoredPictureResource(resourceNames.empty() ? L"" : resourceNames.front().c_str());
}

}  // namespace ormind
