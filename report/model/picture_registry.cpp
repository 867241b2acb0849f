#include "report/model/picture_registry.h"

#include <algorithm>
#include <cctype>

namespace ormind {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

struct StandardFormat {
  const char* Extension;
  const char* Description;
  const char* ClassName;
};

// In registration order; a later row wins over an earlier one for the same extension.
constexpr StandardFormat kStandardFormats[] = {
    {"wmf", "Metafiles", "TMetafile"},
    {"emf", "Enhanced Metafiles", "TMetafile"},
    {"ico", "Icons", "TIcon"},
    {"bmp", "Bitmaps", "TBitmap"},
    {"jpeg", "JPEG Image File", "TJPEGImage"},
    {"jpg", "JPEG Image File", "TJPEGImage"},
    {"gif", "CompuServe GIF Image", "TGIFImage"},
    {"", "", "TOleGraphic"},
    // What phones and the web hand people today, read by the platform's imaging component.
    {"png", "Portable Network Graphics", "TPngImage"},
};

}  // namespace

void TRptPictureFormats::Register(std::string_view extension, std::string description,
                                  std::string className, TRptGraphicLoader load) {
  formats_.push_back({Lower(extension), std::move(description), std::move(className),
                      std::move(load)});
}

const TRptPictureFormat* TRptPictureFormats::Find(std::string_view extension) const {
  const std::string wanted = Lower(extension);
  const auto found = std::find_if(formats_.rbegin(), formats_.rend(),
                                  [&](const TRptPictureFormat& f) { return f.Extension == wanted; });
  return found == formats_.rend() ? nullptr : &*found;
}

std::string TRptPictureFormats::ExtensionOf(const std::string& path) {
  const size_t nameStart = path.find_last_of("/\\:");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return "";
  return path.substr(dot + 1);
}

std::unique_ptr<TRptGraphic> TRptPictureFormats::Load(const std::string& path) const {
  const std::string extension = ExtensionOf(path);
  const TRptPictureFormat* format = Find(extension);
  if (format == nullptr) {
    throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  }
  return format->Load(path);
}

TRptPictureFormats StandardPictureFormats(
    const std::map<std::string, TRptGraphicLoader>& classes) {
  TRptPictureFormats formats;
  for (const StandardFormat& f : kStandardFormats) {
    const auto loader = classes.find(f.ClassName);
    if (loader != classes.end()) formats.Register(f.Extension, f.Description, f.ClassName, loader->second);
  }
  return formats;
}

void TPicture::SetGraphic(std::unique_ptr<TRptGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (OnChange) OnChange();
}

void TPicture::LoadFromFile(const std::string& path) {
  // The loader throws before anything here changes, so a failure keeps the old picture.
  SetGraphic(formats_.Load(path));
}

}  // namespace ormind
