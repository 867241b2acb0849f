#pragma once
// The picture classes the program knows by class name, for pictures stored in a window's
// layout: bitmaps ("TBitmap"), JPEG images ("TJPEGImage") and PNG images ("TPngImage", read
// by the program's own decoder). Picture files are chosen by their extension in the report's
// picture registry (report_graphic.h).
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

  // Throws PictureError for a class name nobody registered.
  std::unique_ptr<TGraphic> CreateByClassName(std::string_view className) const;

 private:
  struct ClassEntry {
    std::string name;
    Factory factory;
  };
  std::vector<ClassEntry> classes_;
};

// A picture stored in a window's layout: the class named in it, loaded from its data.
std::unique_ptr<TGraphic> LoadStoredPicture(std::span<const uint8_t> stored);
// The stored picture held as an RCDATA resource of this program.
std::unique_ptr<TGraphic> LoadStoredPictureResource(const wchar_t* resourceName);
// The first of `resourceNames` the program holds (a picture's renderings, best first); the
// error names the first when it holds none.
std::unique_ptr<TGraphic> LoadFirstStoredPictureResource(const std::vector<std::wstring>& resourceNames);
// The whole of a picture file (UTF-8 path); PictureError when it cannot be opened or read.
std::vector<uint8_t> ReadPictureFile(const std::string& path);

}  // namespace ormind
