#include "core/integer_field.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"

namespace velmora {
namespace {

TEST(IntegerField, ReadsDecimalAndHexadecimal) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"1080", 1080},
      {"0100", 100},
      {"  42", 42},
      {"+7", 7},
      {"-654", -654},
      {"$FF", 255},
      {"$ff", 255},
      {"0x1A", 26},
      {"0X1a", 26},
      {"-$10", -16},
      {"-0x10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$7FFFFFFF", 2147483647},
      {"-$80000000", -2147483647 - 1},
      {"00000000000000000000012", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIntegerField(c.text), c.value) << c.text;
}

TEST(IntegerField, RejectsEverythingElseWithTheText) {
  const char* bad[] = {"",
                       " ",
                       "-",
                       "+",
                       "$",
                       "0x",
                       "abc",
                       "12a",
                       "1 ",
                       "1.5",
                       "--1",
                       "+-1",
                       " - 1",
                       "\t1",
                       "2147483648",
                       "-2147483649",
                       "$80000000",
                       "$FFFFFFFF",
                       "99999999999999999999",
                       "１２",
                       "$G",
                       "0x-1"};
  for (const char* text : bad) {
    try {
      ParseIntegerField(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace velmora
