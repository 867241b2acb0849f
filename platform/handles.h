#pragma once
// One owning type per cleanup rule for every handle kind the program holds. Owners are
// move-only; code that only borrows a handle takes the plain handle (Get()).
//
// Each kind counts the handles its owners hold, so tests can check that creating and
// destroying windows leaves nothing behind (the system's own object counts read 0 under some
// emulators).
#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <atomic>
#include <utility>

namespace ormind {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) { Count(+1); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) { Count(+1); }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  // Frees the handle held (if any) and takes `handle`.
  void Reset(Handle handle = Traits::Invalid()) {
    if (Valid()) {
      Traits::Free(handle_);
      Count(-1);
    }
    handle_ = handle;
    Count(+1);
  }
  // Gives the handle up without freeing it.
  [[nodiscard]] Handle Release() {
    Count(-1);
    return std::exchange(handle_, Traits::Invalid());
  }
  Handle Get() const { return handle_; }
  bool Valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }

  // How many handles of this kind owners hold right now.
  static int LiveCount() { return live_.load(); }

 private:
  void Count(int step) {
    if (Valid()) live_ += step;
  }

  Handle handle_ = Traits::Invalid();
  static inline std::atomic<int> live_{0};
};

namespace handle_traits {

template <typename H, auto FreeFunction>
struct NullInvalid {
  using Handle = H;
  static constexpr Handle Invalid() { return nullptr; }
  static void Free(Handle handle) { FreeFunction(handle); }
};

// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct File {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { CloseHandle(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }

}  // namespace handle_traits

// Kernel objects: a mutex, an event (null when absent).
using KernelHandle = UniqueHandle<handle_traits::NullInvalid<HANDLE, CloseHandle>>;
// A file from CreateFileW.
using FileHandle = UniqueHandle<handle_traits::File>;
// GDI objects (DeleteObject). Never delete one while it is selected into a DC: the
// SelectedObject guard below restores the previous one first, so declare the owner before it.
template <typename H>
using GdiObject = UniqueHandle<handle_traits::NullInvalid<H, handle_traits::DeleteGdiObject>>;
using BitmapHandle = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using RegionHandle = GdiObject<HRGN>;
using IconHandle = UniqueHandle<handle_traits::NullInvalid<HICON, DestroyIcon>>;
using MenuHandle = UniqueHandle<handle_traits::NullInvalid<HMENU, DestroyMenu>>;
using EnhMetaFileHandle = UniqueHandle<handle_traits::NullInvalid<HENHMETAFILE, DeleteEnhMetaFile>>;
// Movable memory, as the print dialog hands back its device mode and device names.
using GlobalHandle = UniqueHandle<handle_traits::NullInvalid<HGLOBAL, GlobalFree>>;
// A DC the program created: CreateDCW, CreateCompatibleDC (DeleteDC).
// Memory the system allocated for the caller with LocalAlloc (FormatMessageW's text,
// CommandLineToArgvW's array).
using LocalMemory = UniqueHandle<handle_traits::NullInvalid<HLOCAL, LocalFree>>;
using OwnedDC = UniqueHandle<handle_traits::NullInvalid<HDC, DeleteDC>>;
using ImageListHandle = UniqueHandle<handle_traits::NullInvalid<HIMAGELIST, handle_traits::DestroyImageList>>;

// A memory DC compatible with `compatibleWith` (null: the screen).
class MemoryDC : public OwnedDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : OwnedDC(CreateCompatibleDC(compatibleWith)) {}
};

// A recording DC from CreateEnhMetaFileW. Close() ends the recording and hands over the
// picture; a recorder dropped without Close() throws its picture away.
class MetafileRecorder {
 public:
  explicit MetafileRecorder(HDC dc) : dc_(dc) {}
  MetafileRecorder(MetafileRecorder&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MetafileRecorder& operator=(MetafileRecorder&&) = delete;
  ~MetafileRecorder() { Close(); }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  EnhMetaFileHandle Close() {
    return EnhMetaFileHandle(dc_ ? CloseEnhMetaFile(std::exchange(dc_, nullptr)) : nullptr);
  }

 private:
  HDC dc_;
};

// The screen's (or a window's) DC from GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(window_, &paint_); }
  HDC Get() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a DC for a scope; the previous object comes back at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// GlobalLock ... GlobalUnlock, typed.
template <typename T>
class GlobalLocked {
 public:
  explicit GlobalLocked(HGLOBAL memory)
      : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  GlobalLocked(const GlobalLocked&) = delete;
  GlobalLocked& operator=(const GlobalLocked&) = delete;
  ~GlobalLocked() {
    if (data_) GlobalUnlock(memory_);
  }
  T* Get() const { return data_; }
  T* operator->() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// Releases a COM interface when it goes out of scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() {
    Reset();
    return &p_;
  }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Swap(ComRef& other) noexcept { std::swap(p_, other.p_); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace ormind
