#include "tests/win32/support/pixels.h"

#include "win/handles.h"

namespace velmora::test {
namespace {

std::vector<std::uint32_t> WithoutAlpha(std::vector<std::uint32_t> pixels) {
  for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

}  // namespace

std::vector<std::uint32_t> DrawnPixels(int cx, int cy, const std::function<void(HDC)>& paint) {
  if (cx <= 0 || cy <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::UniqueDc dc(::CreateCompatibleDC(nullptr));
  win::UniqueBitmap dib(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return {};
  win::SelectedObject selected(dc.get(), dib.get());
  paint(dc.get());
  ::GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(cx) * cy);
}

std::vector<std::uint32_t> IconPixels(HICON icon, bool onBlack) {
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  return WithoutAlpha(DrawnPixels(cx, cy, [&](HDC dc) {
    ::PatBlt(dc, 0, 0, cx, cy, onBlack ? BLACKNESS : WHITENESS);
    ::DrawIconEx(dc, 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
  }));
}

std::vector<std::uint32_t> ScreenPixels(const RECT& area) {
  const int cx = area.right - area.left;
  const int cy = area.bottom - area.top;
  return WithoutAlpha(DrawnPixels(cx, cy, [&](HDC dc) {
    win::ScreenDc screen;
    ::BitBlt(dc, 0, 0, cx, cy, screen, area.left, area.top, SRCCOPY);
  }));
}

}  // namespace velmora::test
