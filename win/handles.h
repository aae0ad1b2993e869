// Move-only owners for Win32 handles. NULL and INVALID_HANDLE_VALUE both count as empty.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace velmora::win {

template <typename H>
bool IsEmpty(H handle) {
  if constexpr (std::is_same_v<H, HANDLE>) {
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
  } else {
    return handle == nullptr;
  }
}

template <typename H, auto Close>
struct HandleDeleter {
  // unique_ptr treats this as its pointer type, so a handle is held by value.
  struct pointer {
    H h = nullptr;
    pointer() = default;
    // INVALID_HANDLE_VALUE is stored as empty, so every test for emptiness agrees.
    pointer(H handle)
        : h(IsEmpty(handle) ? nullptr : handle) {}  // NOLINT: implicit, as a raw pointer
    pointer(std::nullptr_t) {}
    operator H() const { return h; }
    explicit operator bool() const { return h != nullptr; }
    friend bool operator==(pointer a, pointer b) { return a.h == b.h; }
    friend bool operator!=(pointer a, pointer b) { return a.h != b.h; }
    friend bool operator==(pointer a, std::nullptr_t) { return a.h == nullptr; }
    friend bool operator!=(pointer a, std::nullptr_t) { return a.h != nullptr; }
  };
  void operator()(pointer p) const {
    if (p) Close(p.h);
  }
};

template <typename H, auto Close>
using UniqueHandle = std::unique_ptr<H, HandleDeleter<H, Close>>;

inline void DeleteGdiObject(HGDIOBJ object) {
  ::DeleteObject(object);
}

using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueFont = UniqueHandle<HFONT, &DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteGdiObject>;
using UniqueImageList = UniqueHandle<HIMAGELIST, &::ImageList_Destroy>;
using UniqueDc = UniqueHandle<HDC, &::DeleteDC>;  // a memory DC

// A screen or memory DC released the way it was obtained.
class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() { ::SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace velmora::win
