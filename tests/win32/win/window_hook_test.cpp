// Procedures put in front of a window's own: the order messages take, taking a procedure out
// again, another procedure put in front of it meanwhile, and windows that go away.
#include "win/window_hook.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace velmora::win {
namespace {

constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string> passed;  // the procedures the last probe went through, in order

LRESULT CALLBACK Own(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kProbe) return ::DefWindowProcW(window, message, wParam, lParam);
  passed.push_back("own");
  return 7;
}

LRESULT CALLBACK First(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK Second(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WindowHook first(&First);
WindowHook second(&Second);

LRESULT CALLBACK First(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe && !first.Watchers(window).empty()) passed.push_back("first");
  return first.CallNext(window, message, wParam, lParam);
}

LRESULT CALLBACK Second(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe && !second.Watchers(window).empty()) passed.push_back("second");
  return second.CallNext(window, message, wParam, lParam);
}

LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  if (message == kProbe) passed.push_back("subclass");
  return ::DefSubclassProc(window, message, wParam, lParam);
}

HWND MakeWindow() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Own;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraHookTest";
    return ::RegisterClassW(&wc);
  }();
  EXPECT_NE(atom, 0);
  return ::CreateWindowExW(0, L"VelmoraHookTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// What a probe sent to window goes through, and that its answer comes back.
std::vector<std::string> Probe(HWND window) {
  passed.clear();
  EXPECT_EQ(::SendMessageW(window, kProbe, 0, 0), 7);
  return passed;
}

WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
}

using Path = std::vector<std::string>;

TEST(WindowHook, GoesInFrontAndComesOutAgain) {
  UniqueWindow window(MakeWindow());
  ASSERT_TRUE(first.Watch(window.get(), 1));
  EXPECT_EQ(Probe(window.get()), (Path{"first", "own"}));
  EXPECT_EQ(first.Watchers(window.get()), std::vector<std::uintptr_t>{1});

  ASSERT_TRUE(first.Watch(window.get(), 1)) << "watching twice is harmless";
  ASSERT_TRUE(first.Watch(window.get(), 2));
  EXPECT_EQ(first.Watchers(window.get()), (std::vector<std::uintptr_t>{1, 2}));
  EXPECT_EQ(Probe(window.get()), (Path{"first", "own"})) << "one procedure for all watchers";

  first.Unwatch(window.get(), 1);
  EXPECT_EQ(ProcedureOf(window.get()), &First) << "another watcher is left";
  first.Unwatch(window.get(), 2);
  EXPECT_EQ(ProcedureOf(window.get()), &Own);
  EXPECT_EQ(Probe(window.get()), Path{"own"});
}

TEST(WindowHook, StaysToHandMessagesOnWhenAnotherWasPutInFrontOfIt) {
  UniqueWindow window(MakeWindow());
  ASSERT_TRUE(first.Watch(window.get(), 1));
  ASSERT_TRUE(second.Watch(window.get(), 1));
  ASSERT_TRUE(::SetWindowSubclass(window.get(), Subclass, 1, 0));
  EXPECT_EQ(Probe(window.get()), (Path{"subclass", "second", "first", "own"}));

  first.Unwatch(window.get(), 1);
  EXPECT_EQ(Probe(window.get()), (Path{"subclass", "second", "own"}));
  second.Unwatch(window.get(), 1);
  EXPECT_EQ(Probe(window.get()), (Path{"subclass", "own"}));
  ASSERT_TRUE(::RemoveWindowSubclass(window.get(), Subclass, 1));
  EXPECT_EQ(Probe(window.get()), Path{"own"});

  // Left in the chain, it serves a new watcher without being put in front a second time.
  ASSERT_TRUE(first.Watch(window.get(), 3));
  EXPECT_EQ(Probe(window.get()), (Path{"first", "own"}));
  first.Unwatch(window.get(), 3);
}

TEST(WindowHook, ForgetsAWindowThatIsDestroyed) {
  UniqueWindow window(MakeWindow());
  ASSERT_TRUE(first.Watch(window.get(), 1));
  const HWND gone = window.get();
  window.reset();
  EXPECT_TRUE(first.Watchers(gone).empty());
  first.Unwatch(gone, 1);  // as a watcher released after its window does

  UniqueWindow next(MakeWindow());
  ASSERT_TRUE(first.Watch(next.get(), 2));
  EXPECT_EQ(Probe(next.get()), (Path{"first", "own"}));
  EXPECT_EQ(first.Watchers(next.get()), std::vector<std::uintptr_t>{2});
}

TEST(WindowHook, CannotHookAWindowOfAnotherProcess) {
  const HWND desktop = ::GetDesktopWindow();
  DWORD process = 0;
  ::GetWindowThreadProcessId(desktop, &process);
  if (process == ::GetCurrentProcessId()) GTEST_SKIP() << "the desktop window is this process's";
  EXPECT_FALSE(first.Watch(desktop, 1));
  EXPECT_TRUE(first.Watchers(desktop).empty());
}

}  // namespace
}  // namespace velmora::win
