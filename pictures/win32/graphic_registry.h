#pragma once
// The picture classes the program knows, found by class name (pictures stored in a window's
// layout) or by file extension (picture files). Bitmaps ("TBitmap", .bmp) and JPEG images
// ("TJPEGImage", .jpg, .jpeg) are registered from the start; other parts of the program may
// register more. Extensions are looked up case-insensitively, the most recent registration
// first.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/win32/graphic.h"

namespace ormind {

class GraphicRegistry {
 public:
  using Factory = std::function<std::unique_ptr<TGraphic>()>;

  static GraphicRegistry& Instance();

  void RegisterGraphicClass(std::string className, Factory factory);
  void RegisterFileFormat(std::string extension, std::string description, std::string className);

  // Throw PictureError for a class name or an extension nobody registered.
  std::unique_ptr<TGraphic> CreateByClassName(std::string_view className) const;
  std::unique_ptr<TGraphic> CreateByExtension(std::string_view extension) const;

 private:
  struct ClassEntry {
    std::string name;
    Factory factory;
  };
  struct FormatEntry {
    std::string extension;  // lower case, without the dot
    std::string description;
    std::string className;
  };
  std::vector<ClassEntry> classes_;
  std::vector<FormatEntry> formats_;
};

// A picture stored in a window's layout: the class named in it, loaded from its data.
std::unique_ptr<TGraphic> LoadStoredPicture(std::span<const uint8_t> stored);
// The stored picture held as an RCDATA resource of this program.
std::unique_ptr<TGraphic> LoadStoredPictureResource(const wchar_t* resourceName);
// A picture file (UTF-8 path), its class chosen by the extension.
std::unique_ptr<TGraphic> LoadPictureFile(const std::string& path);

}  // namespace ormind
