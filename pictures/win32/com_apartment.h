#pragma once
// COM objects used by the picture classes (the imaging component, the OLE picture loader) need
// the user-interface thread to be in an apartment; it joins once and stays for the process.
#include <windows.h>
#include <unknwn.h>

#include <string>
#include <utility>

namespace ormind {

void EnsureComApartment();

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

// Throws PictureError with `what` and the failure code unless `result` succeeded.
void CheckPictureCall(HRESULT result, const char* what);

}  // namespace ormind
