// Clicking and reading the pointer, against a real window that counts the button messages it
// receives. The window belongs to the clicking thread itself, as the program's own window would.
#include "actions/pointer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/support/pump.h"
#include "tests/win32/support/test_windows.h"

namespace velmora {
namespace {

using test::ClickTarget;
using test::milliseconds;
using test::PumpFor;

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
  ClickTarget plain(kTargetRect);
  ClickTarget doubleClicks(kTargetRect, true);
  ASSERT_NE(plain.Handle(), nullptr);
  ASSERT_NE(doubleClicks.Handle(), nullptr);
  for (const ClickCase& c : kClickCases) {
    SCOPED_TRACE(c.label);
    ClickTarget& target = c.doubleClickClass ? doubleClicks : plain;
    ::SetWindowPos(target.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(target.Handle());
    ASSERT_TRUE(::SetCursorPos(kRest.x, kRest.y));
    // Lets the window come to the top and any earlier click fall out of the double-click time.
    PumpFor(milliseconds(::GetDoubleClickTime() + 200));
    target.Forget();
    const bool inside = c.buttons[0] != '\0';
    ASSERT_EQ(::WindowFromPoint(c.screen) == target.Handle(), inside);
    ASSERT_EQ(CursorNow().x, kRest.x);
    ASSERT_EQ(CursorNow().y, kRest.y);

    ClickAt(c.screen.x, c.screen.y);

    const POINT right = CursorNow();
    EXPECT_EQ(right.x, kRest.x);
    EXPECT_EQ(right.y, kRest.y);
    PumpFor(milliseconds(1000));
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
