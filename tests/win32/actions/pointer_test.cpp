// Clicking and reading the pointer, against a real window that counts the button messages it
// receives. The window belongs to the clicking thread itself, as the program's own window would.
#include "actions/pointer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace velmora {
namespace {

// A borderless topmost window that records its left-button messages as letters: "D" down,
// "U" up, "C" double-click, "?" any other button.
class ClickTarget {
 public:
  ClickTarget(bool doubleClicks, const RECT& screen) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const wchar_t* className = doubleClicks ? L"VelmoraDoubleClickTarget" : L"VelmoraClickTarget";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = doubleClicks ? CS_DBLCLKS : 0;
    wc.lpfnWndProc = &ClickTarget::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);  // fails harmlessly when a previous target registered it
    window_.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, L"点击目标",
                                    WS_POPUP | WS_VISIBLE, screen.left, screen.top,
                                    screen.right - screen.left, screen.bottom - screen.top, nullptr,
                                    nullptr, instance, this));
    ::UpdateWindow(window_.get());
  }

  HWND Handle() const { return window_.get(); }
  const std::string& Buttons() const { return buttons_; }
  const std::vector<POINT>& Points() const { return points_; }
  void Forget() {
    buttons_.clear();
    points_.clear();
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ClickTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(window, message, wParam, lParam)
                : ::DefWindowProcW(window, message, wParam, lParam);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_LBUTTONDOWN:
        return OnButton('D', lParam);
      case WM_LBUTTONUP:
        return OnButton('U', lParam);
      case WM_LBUTTONDBLCLK:
        return OnButton('C', lParam);
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
      case WM_NCLBUTTONDOWN:
      case WM_NCLBUTTONUP:
        return OnButton('?', lParam);
      case WM_NCDESTROY:
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  // Records one button message and where in the client area it fell.
  LRESULT OnButton(char kind, LPARAM lParam) {
    buttons_ += kind;
    points_.push_back({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return 0;
  }

  win::UniqueWindow window_;
  std::string buttons_;
  std::vector<POINT> points_;
};

// Delivers this thread's messages for ms milliseconds.
void PumpFor(DWORD ms) {
  const ULONGLONG deadline = ::GetTickCount64() + ms;
  while (::GetTickCount64() < deadline) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

POINT CursorNow() {
  POINT p{};
  ::GetCursorPos(&p);
  return p;
}

constexpr RECT kTargetRect = {200, 150, 520, 390};
// Where the pointer rests before each click: well away from the target.
constexpr POINT kRest = {900, 700};

struct ClickCase {
  const char* label;
  bool doubleClickClass;
  POINT screen;
  const char* buttons;  // the messages the target must receive, in order
  POINT client;         // where they must fall
};

const ClickCase kClickCases[] = {
    {"inside", false, {260, 190}, "DUDUDU", {60, 40}},
    {"top-left pixel", false, {200, 150}, "DUDUDU", {0, 0}},
    {"bottom-right pixel", false, {519, 389}, "DUDUDU", {319, 239}},
    // With double-clicks on, the second down of three quick ones is the double-click.
    {"inside, double-click class", true, {300, 300}, "DUCUDU", {100, 150}},
    {"beside the target", false, {521, 300}, "", {}},
    {"off the screen", false, {-50, 5000}, "", {}},
};

TEST(ClickAt, SendsThreeLeftClicksToTheWindowUnderThePointAndPutsThePointerBack) {
  // One target per class style for all cases: under Wine without a window manager, every
  // destroyed window costs a wait of its own for the X server to withdraw it.
  ClickTarget plain(false, kTargetRect);
  ClickTarget doubleClicks(true, kTargetRect);
  ASSERT_NE(plain.Handle(), nullptr);
  ASSERT_NE(doubleClicks.Handle(), nullptr);
  for (const ClickCase& c : kClickCases) {
    SCOPED_TRACE(c.label);
    ClickTarget& target = c.doubleClickClass ? doubleClicks : plain;
    ::SetWindowPos(target.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(target.Handle());
    ASSERT_TRUE(::SetCursorPos(kRest.x, kRest.y));
    // Lets the window come to the top and any earlier click fall out of the double-click time.
    PumpFor(::GetDoubleClickTime() + 200);
    target.Forget();
    const bool inside = c.buttons[0] != '\0';
    ASSERT_EQ(::WindowFromPoint(c.screen) == target.Handle(), inside);
    ASSERT_EQ(CursorNow().x, kRest.x);
    ASSERT_EQ(CursorNow().y, kRest.y);

    ClickAt(c.screen.x, c.screen.y);

    const POINT right = CursorNow();
    EXPECT_EQ(right.x, kRest.x);
    EXPECT_EQ(right.y, kRest.y);
    PumpFor(1000);
    EXPECT_EQ(target.Buttons(), c.buttons);
    for (const POINT& p : target.Points()) {
      EXPECT_EQ(p.x, c.client.x);
      EXPECT_EQ(p.y, c.client.y);
    }
    const POINT later = CursorNow();
    EXPECT_EQ(later.x, kRest.x) << "the pointer moved after the click";
    EXPECT_EQ(later.y, kRest.y) << "the pointer moved after the click";
  }
}

TEST(ReadPointer, ReturnsWhereThePointerWasPut) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  const POINT positions[] = {
      {0, 0}, {1, 0}, {0, 1}, {width / 2, height / 2}, {width - 1, height - 1}, {37, 905 % height},
  };
  for (const POINT& p : positions) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
    ASSERT_TRUE(::SetCursorPos(p.x, p.y));
    const PointerPosition read = ReadPointer();
    EXPECT_EQ(read.x, p.x);
    EXPECT_EQ(read.y, p.y);
  }
}

}  // namespace
}  // namespace velmora
