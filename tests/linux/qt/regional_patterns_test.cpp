// The locale read into the regional patterns the core takes, and the field formats made from
// them: stamps, fields and parsing agree in a 24-hour, a 12-hour and a marker-first locale.
#include "qt/regional_patterns.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace velmora::test {
namespace {

TEST(RegionalPatterns, FromTheLocalesShortFormats) {
  const struct {
    const char* locale;
    std::string shortDate, dateSeparator, timeSeparator;
    bool twelveHour, markerBefore, hourLeadingZero;
    std::string am, pm;
    const char* timeFormat;
  } cases[] = {
      {"zh_CN", "yyyy/M/d", "/", ":", false, false, true, "上午", "下午", "HH:mm:ss"},
      {"en_US", "M/d/yy", "/", ":", true, false, false, "AM", "PM", "h:mm:ss AP"},
      {"de_DE", "dd.MM.yy", ".", ":", false, false, true, "AM", "PM", "HH:mm:ss"},
      {"ko_KR", "yy. M. d.", ".", ":", true, true, false, "오전", "오후", "AP h:mm:ss"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    const RegionalPatterns p = qt::PatternsFromLocale(QLocale(c.locale));
    EXPECT_EQ(p.shortDate, c.shortDate);
    EXPECT_EQ(p.dateSeparator, c.dateSeparator);
    EXPECT_EQ(p.timeSeparator, c.timeSeparator);
    EXPECT_EQ(p.twelveHour, c.twelveHour);
    EXPECT_EQ(p.markerBefore, c.markerBefore);
    EXPECT_EQ(p.hourLeadingZero, c.hourLeadingZero);
    EXPECT_EQ(p.amMarker, c.am);
    EXPECT_EQ(p.pmMarker, c.pm);
    EXPECT_EQ(qt::TimeFieldFormat(p).toStdString(), c.timeFormat);
  }
}

// What a field shows in its locale is what the stamps write, and reads back to the moment.
TEST(RegionalPatterns, FieldTextIsTheStampTextAndParsesBack) {
  const QDateTime value(QDate(2026, 3, 7), QTime(21, 5, 9));
  const Moment m = EncodeMoment({2026, 3, 7, 21, 5, 9, 0});
  for (const char* name : {"zh_CN", "en_US", "de_DE", "ko_KR"}) {
    SCOPED_TRACE(name);
    const QLocale locale(name);
    const RegionalPatterns p = qt::PatternsFromLocale(locale);
    const std::string date = locale.toString(value, qt::DateFieldFormat(p)).toStdString();
    const std::string time = locale.toString(value, qt::TimeFieldFormat(p)).toStdString();
    EXPECT_EQ(date, DateText(m, p));
    EXPECT_EQ(time, TimeText(m, p));
    EXPECT_EQ(ParseMoment(StampText(m, p), p), m);
  }
}

}  // namespace
}  // namespace velmora::test
