#include "core/field_rules.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FieldFilters, PassExactlyTheDigitsAndForDatesBackspace) {
  const struct {
    char32_t c;
    bool date;
    bool number;
  } cases[] = {
      {U'0', true, true},    {U'5', true, true},   {U'9', true, true},   {8, true, false},
      {U'-', false, false},  {U'+', false, false}, {U'a', false, false}, {U' ', false, false},
      {U'/', false, false},  {U':', false, false}, {U'.', false, false}, {127, false, false},
      {13, false, false},    {27, false, false},   {9, false, false},    {U'３', false, false},
      {U'年', false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateFieldPasses(c.c), c.date) << static_cast<std::uint32_t>(c.c);
    EXPECT_EQ(NumberFieldPasses(c.c), c.number) << static_cast<std::uint32_t>(c.c);
  }
}

TEST(PointerReadout, ShowsBothCoordinatesWithTheirSigns) {
  EXPECT_EQ(PointerReadoutText(0, 0), "当前鼠标坐标0 -- 0");
  EXPECT_EQ(PointerReadoutText(640, 400), "当前鼠标坐标640 -- 400");
  EXPECT_EQ(PointerReadoutText(-1920, -5), "当前鼠标坐标-1920 -- -5");
}

}  // namespace
}  // namespace velmora
