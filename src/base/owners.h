// Owner types for Windows handles, windows, mapped views, files and host
// references. Each one takes what it owns on the line that acquires it and
// gives it back exactly once; copying is deleted so nothing is freed twice.
#pragma once

#include <windows.h>

#include <utility>

namespace dislist {

// Generic owner: Traits::Invalid() is the empty value, Traits::Close frees.
template <typename Traits>
class UniqueResource {
 public:
  using Value = typename Traits::Value;

  UniqueResource() noexcept = default;
  explicit UniqueResource(Value value) noexcept : value_(value) {}
  ~UniqueResource() { reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Value get() const noexcept { return value_; }
  bool valid() const noexcept { return value_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return valid(); }

  // Frees the current value (if any) and takes the new one.
  void reset(Value value = Traits::Invalid()) noexcept {
    Value old = value_;
    value_ = value;
    if (old != Traits::Invalid()) Traits::Close(old);
  }

  // Gives the value up without freeing it.
  Value release() noexcept {
    Value old = value_;
    value_ = Traits::Invalid();
    return old;
  }

 private:
  Value value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // CreateFileW: INVALID_HANDLE_VALUE is empty
  using Value = HANDLE;
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct NullableHandleTraits {  // OpenFileMappingA and friends: null is empty
  using Value = HANDLE;
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct MapViewTraits {
  using Value = const void*;
  static const void* Invalid() noexcept { return nullptr; }
  static void Close(const void* view) noexcept { ::UnmapViewOfFile(view); }
};
struct WindowTraits {
  using Value = HWND;
  static HWND Invalid() noexcept { return nullptr; }
  static void Close(HWND window) noexcept { ::DestroyWindow(window); }
};

struct FindTraits {  // FindFirstFileW: closed by FindClose, not CloseHandle
  using Value = HANDLE;
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::FindClose(h); }
};

using UniqueFile = UniqueResource<KernelHandleTraits>;
using UniqueFind = UniqueResource<FindTraits>;
using UniqueHandle = UniqueResource<NullableHandleTraits>;
using UniqueMapView = UniqueResource<MapViewTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;

// Owns one reference on a COM-style object.
template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() { reset(); }

  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }

  T* get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }

  void reset() noexcept {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }

  // Out-parameter for a call that hands over one reference. The previous
  // reference, if any, is released first.
  T** put() noexcept {
    reset();
    return &ptr_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  // Forgets the pointer without releasing it: used where a failed host call
  // wrote something that is not a reference we own.
  void forget() noexcept { ptr_ = nullptr; }

 private:
  T* ptr_ = nullptr;
};

}  // namespace dislist
