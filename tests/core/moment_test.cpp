#include "core/moment.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/error.h"
#include "regions.h"

namespace velmora {
namespace {

using test::ChinaRegion;
using test::GermanRegion;
using test::KoreaRegion;
using test::UsRegion;

Moment At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return EncodeMoment({y, mo, d, h, mi, s, ms});
}

TEST(Moment, DayNumbersFollowTheCalendar) {
  EXPECT_EQ(At(1899, 12, 30), 0.0);
  EXPECT_EQ(At(1900, 1, 1), 2.0);
  EXPECT_EQ(At(2000, 3, 1) - At(2000, 2, 28), 2.0);  // 2000 is a leap year
  EXPECT_EQ(At(1900, 3, 1) - At(1900, 2, 28), 1.0);  // 1900 is not
  EXPECT_EQ(At(1899, 12, 30, 12), 0.5);
  EXPECT_EQ(At(1899, 12, 29, 6), -1.25);  // before day 0 the time counts away from zero
}

TEST(Moment, DecodeRoundsToTheMillisecondAndCarriesIntoTheNextDay) {
  const LocalTime t = DecodeMoment(At(2025, 12, 31, 23, 59, 59, 999) + 0.6 / 86'400'000);
  EXPECT_EQ(t.year, 2026);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour + t.minute + t.second + t.millisecond, 0);

  const LocalTime b = DecodeMoment(At(1899, 12, 29, 6, 30));
  EXPECT_EQ(b.day, 29);
  EXPECT_EQ(b.hour, 6);
  EXPECT_EQ(b.minute, 30);
}

TEST(Moment, EncodeRejectsDatesThatDoNotExist) {
  EXPECT_THROW(At(2025, 2, 29), Error);
  EXPECT_THROW(At(2026, 13, 1), Error);
  EXPECT_THROW(At(2026, 4, 31), Error);
  EXPECT_THROW(At(2026, 1, 1, 24), Error);
  EXPECT_NO_THROW(At(2024, 2, 29));
}

TEST(Moment, LongTimePatternIsBuiltFromTheRegion) {
  EXPECT_EQ(LongTimePattern(ChinaRegion()), "H:mm:ss");
  EXPECT_EQ(LongTimePattern(UsRegion()), "h:mm:ss tt");
  EXPECT_EQ(LongTimePattern(GermanRegion()), "HH:mm:ss");
  EXPECT_EQ(LongTimePattern(KoreaRegion()), "tt h:mm:ss");
}

// One moment rendered in four regions at once.
struct StampCase {
  Moment moment;
  const char* china;
  const char* us;
  const char* german;
  const char* korea;
};

const std::vector<StampCase>& StampCases() {
  static const std::vector<StampCase> cases = {
      {At(2026, 12, 10), "2026/12/10", "12/10/2026", "10.12.2026", "2026-12-10"},
      {At(2026, 12, 10, 0, 0, 0, 999), "2026/12/10", "12/10/2026", "10.12.2026", "2026-12-10"},
      {At(2026, 12, 10, 0, 0, 5), "2026/12/10 0:00:05", "12/10/2026 12:00:05 AM",
       "10.12.2026 00:00:05", "2026-12-10 오전 12:00:05"},
      {At(2026, 12, 10, 12), "2026/12/10 12:00:00", "12/10/2026 12:00:00 PM", "10.12.2026 12:00:00",
       "2026-12-10 오후 12:00:00"},
      {At(2026, 12, 10, 12, 0, 5), "2026/12/10 12:00:05", "12/10/2026 12:00:05 PM",
       "10.12.2026 12:00:05", "2026-12-10 오후 12:00:05"},
      {At(2024, 2, 29, 9, 5, 7), "2024/2/29 9:05:07", "2/29/2024 9:05:07 AM", "29.02.2024 09:05:07",
       "2024-02-29 오전 9:05:07"},
      {At(2025, 12, 31, 23, 59, 59, 400), "2025/12/31 23:59:59", "12/31/2025 11:59:59 PM",
       "31.12.2025 23:59:59", "2025-12-31 오후 11:59:59"},
      {At(2026, 1, 1, 0, 0, 1), "2026/1/1 0:00:01", "1/1/2026 12:00:01 AM", "01.01.2026 00:00:01",
       "2026-01-01 오전 12:00:01"},
      {At(1900, 3, 1, 13, 7), "1900/3/1 13:07:00", "3/1/1900 1:07:00 PM", "01.03.1900 13:07:00",
       "1900-03-01 오후 1:07:00"},
  };
  return cases;
}

TEST(Stamp, RendersInEveryRegion) {
  for (const StampCase& c : StampCases()) {
    EXPECT_EQ(StampText(c.moment, ChinaRegion()), c.china);
    EXPECT_EQ(StampText(c.moment, UsRegion()), c.us);
    EXPECT_EQ(StampText(c.moment, GermanRegion()), c.german);
    EXPECT_EQ(StampText(c.moment, KoreaRegion()), c.korea);
  }
}

TEST(Stamp, ParsesBackToTheSecond) {
  for (const StampCase& c : StampCases()) {
    const LocalTime t = DecodeMoment(c.moment);
    const Moment whole = At(t.year, t.month, t.day, t.hour, t.minute, t.second);
    EXPECT_EQ(ParseMoment(c.china, ChinaRegion()), whole) << c.china;
    EXPECT_EQ(ParseMoment(c.us, UsRegion()), whole) << c.us;
    EXPECT_EQ(ParseMoment(c.german, GermanRegion()), whole) << c.german;
    EXPECT_EQ(ParseMoment(c.korea, KoreaRegion()), whole) << c.korea;
  }
}

TEST(Stamp, DateAndTimeTextAreTheTwoHalves) {
  const Moment m = At(2026, 7, 4, 18, 30, 9);
  EXPECT_EQ(DateText(m, UsRegion()), "7/4/2026");
  EXPECT_EQ(TimeText(m, UsRegion()), "6:30:09 PM");
  EXPECT_EQ(TimeText(At(2026, 7, 4), ChinaRegion()), "0:00:00");
  EXPECT_EQ(TimeText(At(2026, 7, 4), KoreaRegion()), "오전 12:00:00");
}

TEST(Stamp, RoundTripsOverManyMoments) {
  const std::vector<RegionalPatterns> regions = {ChinaRegion(), UsRegion(), GermanRegion(),
                                                 KoreaRegion()};
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> day(static_cast<int>(At(1900, 1, 1)),
                                         static_cast<int>(At(2199, 12, 31)));
  std::uniform_int_distribution<int> second(0, 86399);
  for (int i = 0; i < 20000; ++i) {
    const int s = i % 7 == 0 ? 0 : second(random);  // midnight often enough to matter
    const Moment m = day(random) + s / 86400.0;
    const LocalTime t = DecodeMoment(m);
    const Moment exact = At(t.year, t.month, t.day, t.hour, t.minute, t.second);
    for (const RegionalPatterns& p : regions) {
      ASSERT_EQ(ParseMoment(StampText(exact, p), p), exact) << StampText(exact, p);
    }
  }
}

TEST(Parse, AcceptsTheWaysTheRegionAndTheLettersMarkTheTime) {
  const struct {
    RegionalPatterns region;
    const char* text;
    Moment expected;
  } cases[] = {
      {UsRegion(), "12/10/2026 3:04 pm", At(2026, 12, 10, 15, 4)},
      {UsRegion(), "12/10/2026 PM 3:04:05", At(2026, 12, 10, 15, 4, 5)},
      {UsRegion(), "  12/10/2026 12:00:00 AM  ", At(2026, 12, 10)},
      {UsRegion(), "12/10/2026 15:04:05", At(2026, 12, 10, 15, 4, 5)},
      {ChinaRegion(), "2026/12/10 下午 3:04:05", At(2026, 12, 10, 15, 4, 5)},
      {ChinaRegion(), "2026/12/10 3:04:05 下午", At(2026, 12, 10, 15, 4, 5)},
      {ChinaRegion(), "2026/12/10 14:30:00.250", At(2026, 12, 10, 14, 30, 0, 250)},
      {ChinaRegion(), "2026/01/05", At(2026, 1, 5)},
      {GermanRegion(), "1.2.2026 07:08:09,5", At(2026, 2, 1, 7, 8, 9, 500)},
      {KoreaRegion(), "2026-12-10 오후 12:00:05", At(2026, 12, 10, 12, 0, 5)},
      {KoreaRegion(), "2026-12-10 AM 12:30:00", At(2026, 12, 10, 0, 30)},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMoment(c.text, c.region), c.expected) << c.text;
}

TEST(Parse, TwoDigitYearsFallInTheRegionsCentury) {
  RegionalPatterns p = GermanRegion();
  p.shortDate = "dd.MM.yy";
  EXPECT_EQ(DateText(At(2049, 5, 6), p), "06.05.49");
  EXPECT_EQ(ParseMoment("06.05.49", p), At(2049, 5, 6));
  EXPECT_EQ(ParseMoment("06.05.50", p), At(1950, 5, 6));
}

// The era shows as the region names it; a region that names none leaves it out together with
// the separator that joined it to the date.
TEST(Parse, ErasAndQuotedTextInThePatternRoundTrip) {
  const struct {
    const char* pattern;
    const char* era;
    const char* date;
  } cases[] = {
      {"gg yyyy'年'M'月'd'日'", "公元", "公元 2026年12月10日"},
      {"gg yyyy'年'M'月'd'日'", "", "2026年12月10日"},
      {"g yyyy/M/d", "A.D.", "A.D. 2026/12/10"},
      {"g yyyy/M/d", "", "2026/12/10"},
      {"M/d/yyyy gg", "A.D.", "12/10/2026 A.D."},
      {"M/d/yyyy gg", "", "12/10/2026"},
      {"ggyyyy-MM-dd", "公元", "公元2026-12-10"},
      {"yyyy'年'M'月'd'日' g", "公元", "2026年12月10日 公元"},
      {"yyyy/gg/M/d", "", "2026/12/10"},
      {"gg yy/MM/dd", "公元", "公元 26/12/10"},
      {"dd.MM.yyyy '('g')'", "n. Chr.", "10.12.2026 (n. Chr.)"},
      {"dd.MM.yyyy '('g')'", "", "10.12.2026"},
      {"'('gg') 'yyyy/M/d", "", "2026/12/10"},
      {"'It''s' d/M/yyyy", "", "It's 10/12/2026"},
  };
  RegionalPatterns twelveHour = KoreaRegion();
  twelveHour.amMarker = "上午";
  twelveHour.pmMarker = "下午";
  for (const auto& c : cases) {
    for (RegionalPatterns p : {ChinaRegion(), twelveHour, UsRegion()}) {
      p.shortDate = c.pattern;
      p.eraText = c.era;
      for (const Moment m :
           {At(2026, 12, 10), At(2026, 12, 10, 8, 0, 1), At(2026, 12, 10, 20, 5)}) {
        EXPECT_EQ(DateText(m, p), c.date) << c.pattern;
        EXPECT_EQ(ParseMoment(StampText(m, p), p), m) << StampText(m, p);
      }
    }
  }
  RegionalPatterns p = ChinaRegion();
  p.shortDate = "gg yyyy'年'M'月'd'日'";
  EXPECT_EQ(StampText(At(2026, 12, 10, 8, 0, 1), p), "公元 2026年12月10日 8:00:01");
  EXPECT_THROW(ParseMoment("2026年12月10日 8:00:01", p), Error);
  EXPECT_THROW(ParseMoment("2026/12/10 8:00:01", p), Error);
}

// Month and day names as the region writes them; the day name follows from the date.
TEST(Parse, MonthAndDayNamesInThePatternRoundTrip) {
  RegionalPatterns china = ChinaRegion();
  china.shortMonthNames = {"1月", "2月", "3月", "4月",  "5月",  "6月",
                           "7月", "8月", "9月", "10月", "11月", "12月"};
  china.shortDayNames = {"周一", "周二", "周三", "周四", "周五", "周六", "周日"};
  china.dayNames = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
  const struct {
    RegionalPatterns region;
    const char* pattern;
    Moment moment;
    const char* date;
  } cases[] = {
      {UsRegion(), "dd-MMM-yy", At(2026, 12, 10), "10-Dec-26"},
      {UsRegion(), "ddd, M/d/yyyy", At(2026, 12, 10, 15, 4, 5), "Thu, 12/10/2026"},
      {UsRegion(), "dddd, MMMM d, yyyy", At(2026, 5, 4), "Monday, May 4, 2026"},
      {UsRegion(), "d MMM yyyy ddd", At(1899, 12, 30), "30 Dec 1899 Sat"},
      {china, "yyyy/MMM/d ddd", At(2026, 1, 11, 8), "2026/1月/11 周日"},
      {china, "yyyy MMMd'日' dddd", At(2026, 11, 1), "2026 11月1日 星期日"},
      {china, "yyyy MMMd'日' dddd", At(2026, 1, 11), "2026 1月11日 星期日"},
  };
  for (const auto& c : cases) {
    RegionalPatterns p = c.region;
    p.shortDate = c.pattern;
    EXPECT_EQ(DateText(c.moment, p), c.date) << c.pattern;
    EXPECT_EQ(ParseMoment(StampText(c.moment, p), p), c.moment) << StampText(c.moment, p);
  }
  RegionalPatterns us = UsRegion();
  us.shortDate = "dd-MMM-yy";
  EXPECT_THROW(ParseMoment("10-Dez-26", us), Error);
}

// Settings a user can give the region: markers that begin alike or carry spaces, a decimal
// separator that could begin the marker.
TEST(Parse, ReadsBackMarkersAndSeparatorsAUserCanSet) {
  const struct {
    const char* am;
    const char* pm;
    const char* decimal;
    bool before;
  } cases[] = {
      {"A", "AP", ".", false},      {"AP", "A", ".", true},   {" vorm. ", " nachm.", ".", false},
      {"上午 ", "下午", ",", true}, {"AM", "PM", " ", false}, {"a.m.", "p.m.", " p", false},
  };
  for (const auto& c : cases) {
    RegionalPatterns p = UsRegion();
    p.amMarker = c.am;
    p.pmMarker = c.pm;
    p.decimalSeparator = c.decimal;
    p.markerBefore = c.before;
    for (const Moment m : {At(2026, 12, 10, 3, 4, 5), At(2026, 12, 10, 15, 4, 5)}) {
      EXPECT_EQ(ParseMoment(StampText(m, p), p), m) << StampText(m, p);
    }
  }
}

TEST(Stamp, NumbersOutsideTheCalendarRenderAsItsEnds) {
  EXPECT_EQ(DateText(1e300, ChinaRegion()), "9999/12/31");
  EXPECT_EQ(DateText(-1e300, ChinaRegion()), "0001/1/1");
  EXPECT_EQ(StampText(At(9999, 12, 31, 23, 59, 59), ChinaRegion()), "9999/12/31 23:59:59");
}

TEST(Parse, RejectsTextItCannotRead) {
  const char* bad[] = {
      "",
      "   ",
      "abc",
      "2026/12",
      "2026/13/1",
      "2025/2/29",
      "2026/4/31",
      "2026-12-10",
      "2026/12/10 24:00:00",
      "2026/12/10 12:60:00",
      "2026/12/10 12:00:60",
      "2026/12/10 12",
      "2026/12/10 12:00:00 xyz",
      "2026/12/10 13:00:00 PM",
      "2026/12/10 PM 1:00:00 PM",
      "10000/1/1",
  };
  for (const char* text : bad) {
    try {
      ParseMoment(text, ChinaRegion());
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid date and time");
    }
  }
}

TEST(Compose, DateComesFromTheDateFieldAndTimeFromTheTimeField) {
  const Moment dateField = At(2026, 12, 10, 15, 45, 1);
  const Moment timeField = At(1999, 1, 1, 23, 59, 59, 600);
  for (const RegionalPatterns& p : {ChinaRegion(), UsRegion(), GermanRegion(), KoreaRegion()}) {
    EXPECT_EQ(ComposeMoment(dateField, timeField, p), At(2026, 12, 10, 23, 59, 59));
  }
}

TEST(SameSecondTest, MillisecondsNeverTakePart) {
  for (const RegionalPatterns& p : {ChinaRegion(), UsRegion(), KoreaRegion()}) {
    const Moment set = At(2026, 12, 10, 14, 30);
    EXPECT_TRUE(SameSecond(At(2026, 12, 10, 14, 30, 0, 0), set, p));
    EXPECT_TRUE(SameSecond(At(2026, 12, 10, 14, 30, 0, 999), set, p));
    EXPECT_FALSE(SameSecond(At(2026, 12, 10, 14, 30, 1), set, p));
    EXPECT_FALSE(SameSecond(At(2026, 12, 10, 14, 29, 59, 999), set, p));
    EXPECT_FALSE(SameSecond(At(2026, 12, 11, 14, 30), set, p));
    // Midnight renders as the date alone and still matches.
    EXPECT_TRUE(SameSecond(At(2026, 12, 10, 0, 0, 0, 731), At(2026, 12, 10), p));
    // Noon and midnight differ only by the marker in 12-hour regions.
    EXPECT_FALSE(SameSecond(At(2026, 12, 10, 12, 0, 5), At(2026, 12, 10, 0, 0, 5), p));
  }
}

}  // namespace
}  // namespace velmora
