#pragma once
// The pictures of the tray icon: TIcon, one owned icon handle, and TIconList, the frames of an
// animation. Both report every change to their owner.
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/handles.h"

namespace ormind {

class TIcon {
 public:
  TIcon() = default;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  HICON Handle() const { return handle_.Get(); }
  bool Empty() const { return !handle_; }

  // Holds a copy of `icon` (none when null); the caller keeps its own handle.
  void Assign(HICON icon);
  // Holds the image of the icon group resource `name` that suits the small-icon size (the
  // size the notification area shows, so the image drawn for it is shown rather than a larger
  // one shrunk) and the screen's colours. Throws std::runtime_error when the resource cannot be
  // read.
  void LoadFromResource(HINSTANCE module, const wchar_t* name);
  void Clear() { Adopt(IconHandle()); }

  std::function<void()> OnChange;

 private:
  void Adopt(IconHandle icon);
  IconHandle handle_;
};

class TIconList {
 public:
  TIconList() = default;
  TIconList(const TIconList&) = delete;
  TIconList& operator=(const TIconList&) = delete;

  int Count() const { return int(icons_.size()); }
  HICON operator[](int index) const { return icons_.at(index).Get(); }

  void Add(HICON icon);  // copies; a null handle is an empty slot
  void Delete(int index);
  void Replace(int index, HICON icon);
  void Assign(const std::vector<HICON>& icons);
  void Clear();

  // Changes between BeginUpdate and the matching EndUpdate are reported once, at the end.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  std::function<void()> OnChange;

 private:
  void Changed();
  std::vector<IconHandle> icons_;
  int updating_ = 0;
  bool changedWhileUpdating_ = false;
};

}  // namespace ormind
