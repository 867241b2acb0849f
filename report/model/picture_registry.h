#pragma once
// The picture loader: which graphic class reads a picture file, chosen by the file's extension,
// and the picture a control holds. The graphic classes themselves (decoding, drawing) belong to
// the platform and are handed in as loaders.
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "report/model/canvas.h"

namespace ormind {

// A picture file whose kind is not known.
class EInvalidGraphic : public std::runtime_error {
 public:
  explicit EInvalidGraphic(const std::string& message) : std::runtime_error(message) {}
};

// Creates a graphic of one class and loads the file (UTF-8 path) into it; throws the class's
// own error when the file is not a picture of that class.
using TRptGraphicLoader = std::function<std::unique_ptr<TRptGraphic>(const std::string& path)>;

struct TRptPictureFormat {
  std::string Extension;  // lower case, without the dot; empty for names without one
  std::string Description;
  std::string ClassName;
  TRptGraphicLoader Load;
};

class TRptPictureFormats {
 public:
  void Register(std::string_view extension, std::string description, std::string className,
                TRptGraphicLoader load);
  // The most recently registered format for `extension`, compared case-insensitively.
  const TRptPictureFormat* Find(std::string_view extension) const;
  const std::vector<TRptPictureFormat>& Formats() const { return formats_; }

  // Loads `path` with the class its extension names; EInvalidGraphic
  // "Unknown picture file extension (.%s)" when none does.
  std::unique_ptr<TRptGraphic> Load(const std::string& path) const;
  // The extension of the file name's last part, without the dot ("" when it has none).
  static std::string ExtensionOf(const std::string& path);

 private:
  std::vector<TRptPictureFormat> formats_;
};

// The program's formats (metafiles, icons, bitmaps, JPEG, GIF, the OLE loader for names without
// an extension, PNG), each registered when `classes` has a loader for its class name.
TRptPictureFormats StandardPictureFormats(const std::map<std::string, TRptGraphicLoader>& classes);

// The picture a control shows. A failed load leaves the previous picture in place.
class TPicture {
 public:
  explicit TPicture(const TRptPictureFormats& formats) : formats_(formats) {}

  const TRptGraphic* Graphic() const { return graphic_.get(); }
  bool Empty() const { return graphic_ == nullptr || graphic_->Empty(); }
  void SetGraphic(std::unique_ptr<TRptGraphic> graphic);
  void LoadFromFile(const std::string& path);

  std::function<void()> OnChange;

 private:
  const TRptPictureFormats& formats_;
  std::unique_ptr<TRptGraphic> graphic_;
};

}  // namespace ormind
