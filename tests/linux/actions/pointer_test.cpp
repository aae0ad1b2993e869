// The pointer actions against the real X server: three clicks land on a window at the point
// and the pointer goes back; the readout is the server's pointer position.
#include "actions/pointer.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "x_test_window.h"

namespace velmora::test {
namespace {

TEST(Pointer, ClickLandsThreeTimesAtThePointAndThePointerGoesBack) {
  ClickTarget target(300, 200, 200, 150);
  WarpPointer(37, 41);
  ClickAt(350, 260);
  const std::vector<ButtonEvent>& events = target.Events(500);
  ASSERT_EQ(events.size(), 6u);
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].press, i % 2 == 0) << i;
    EXPECT_EQ(events[i].x, 50) << i;
    EXPECT_EQ(events[i].y, 60) << i;
  }
  int x = -1, y = -1;
  PointerAt(x, y);
  EXPECT_EQ(x, 37);
  EXPECT_EQ(y, 41);
}

TEST(Pointer, ClickOutsideTheWindowDoesNotReachIt) {
  ClickTarget target(300, 200, 200, 150);
  ClickAt(299, 200);
  EXPECT_TRUE(target.Events(300).empty());
}

TEST(Pointer, ReadPointerIsTheServersPosition) {
  const struct { int x, y; } cases[] = {{0, 0}, {1279, 1023}, {640, 17}, {5, 900}};
  for (const auto& c : cases) {
    WarpPointer(c.x, c.y);
    const PointerPosition p = ReadPointer();
    EXPECT_EQ(p.x, c.x);
    EXPECT_EQ(p.y, c.y);
  }
}

}  // namespace
}  // namespace velmora::test
