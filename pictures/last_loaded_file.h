#pragma once
// Keeps what was made from the file loaded last (a decoded picture), with what tells whether
// the file changed since: its size and its time of last change. Loading the same unchanged
// file again (the card printed again with the same picture setting) reuses it; any other file,
// or the same one changed, replaces it, so at most one is held.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ormind {

struct FileStamp {
  uint64_t size = 0;
  int64_t lastChange = 0;  // in the platform's own units
  bool operator==(const FileStamp&) const = default;
};

template <class T>
class TLastLoadedFile {
 public:
  // What `path` gave last time, when its stamp is still `stamp`; else null. A file whose stamp
  // could not be read is never reused.
  std::shared_ptr<T> Find(const std::string& path, const std::optional<FileStamp>& stamp) const {
    if (!stamp || !kept_ || path != path_ || *stamp != stamp_) return nullptr;
    return kept_;
  }
  void Keep(const std::string& path, const std::optional<FileStamp>& stamp, std::shared_ptr<T> made) {
    if (!stamp) {
      Clear();
      return;
    }
    path_ = path;
    stamp_ = *stamp;
    kept_ = std::move(made);
  }
  void Clear() { kept_.reset(), path_.clear(); }

 private:
  std::string path_;
  FileStamp stamp_;
  std::shared_ptr<T> kept_;
};

}  // namespace ormind
