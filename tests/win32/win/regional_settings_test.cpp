// The regional patterns read from the user's locale, in whichever locale the test runs, and
// the rendering and reading of stamps with them.
#include "win/regional_settings.h"
#include "win/system_clock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/text.h"

namespace velmora {
namespace {

std::string LocaleString(LCTYPE type) {
  wchar_t buffer[128];
  const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  return n > 1 ? win::Narrow(std::wstring_view(buffer, n - 1)) : std::string();
}

std::string UserLocaleName() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  const int n = ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  return n > 1 ? win::Narrow(std::wstring_view(name, n - 1)) : std::string();
}

// The locale the test was started for, from a LANG such as "zh_CN.UTF-8", as "zh-CN".
std::string RequestedLocale() {
  wchar_t lang[64];
  const DWORD n = ::GetEnvironmentVariableW(L"LANG", lang, 64);
  if (n == 0 || n >= 64) return {};
  std::string name = win::Narrow(std::wstring_view(lang, n));
  name = name.substr(0, name.find('.'));
  for (char& c : name) {
    if (c == '_') c = '-';
  }
  return name;
}

Moment At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return EncodeMoment({y, mo, d, h, mi, s, 0});
}

TEST(ReadRegionalPatterns, RunsInTheLocaleItWasStartedFor) {
  const std::string requested = RequestedLocale();
  if (requested.empty() || requested == "C" || requested == "POSIX") {
    GTEST_SKIP() << "no LANG to compare with";
  }
  EXPECT_EQ(UserLocaleName(), requested);
}

// The clock settings agree with the region's own long-time format, the source they stand for.
TEST(ReadRegionalPatterns, AgreesWithTheRegionsTimeFormat) {
  const RegionalPatterns p = win::ReadRegionalPatterns();
  const std::string format = LocaleString(LOCALE_STIMEFORMAT);
  ASSERT_FALSE(format.empty());
  SCOPED_TRACE(UserLocaleName() + " time format " + format);
  const std::size_t hour = format.find_first_of("hH");
  ASSERT_NE(hour, std::string::npos);
  EXPECT_EQ(p.twelveHour, format[hour] == 'h');
  EXPECT_EQ(p.hourLeadingZero, format.compare(hour, 2, std::string(2, format[hour])) == 0);
  if (p.twelveHour) {
    const std::size_t marker = format.find('t');
    ASSERT_NE(marker, std::string::npos);
    EXPECT_EQ(p.markerBefore, marker < hour);
  }
  EXPECT_EQ(p.shortDate, LocaleString(LOCALE_SSHORTDATE));
  EXPECT_EQ(p.dateSeparator, LocaleString(LOCALE_SDATE));
  EXPECT_EQ(p.timeSeparator, LocaleString(LOCALE_STIME));
  EXPECT_EQ(p.decimalSeparator, LocaleString(LOCALE_SDECIMAL));
  EXPECT_EQ(p.amMarker, LocaleString(LOCALE_S1159));
  EXPECT_EQ(p.pmMarker, LocaleString(LOCALE_S2359));
}

struct StampCase {
  Moment moment;
  const char* stamp;
  // The same stamp when the region asks for a leading zero on hours, where that differs.
  const char* stampWithHourZero = nullptr;
};

struct RegionCase {
  const char* locale;
  const char* shortDate;
  bool twelveHour;
  bool markerBefore;
  const char* am;
  const char* pm;
  std::vector<StampCase> stamps;
};

const RegionCase kRegions[] = {
    {"zh-CN",
     "yyyy/M/d",
     false,
     false,
     nullptr,
     nullptr,
     {
         {At(2026, 12, 10), "2026/12/10"},
         {At(2026, 12, 10, 0, 0, 5), "2026/12/10 0:00:05", "2026/12/10 00:00:05"},
         {At(2026, 12, 10, 12, 0, 5), "2026/12/10 12:00:05"},
         {At(2024, 2, 29, 9, 5, 7), "2024/2/29 9:05:07", "2024/2/29 09:05:07"},
         {At(2025, 12, 31, 23, 59, 59), "2025/12/31 23:59:59"},
     }},
    {"en-US",
     "M/d/yyyy",
     true,
     false,
     "AM",
     "PM",
     {
         {At(2026, 12, 10), "12/10/2026"},
         {At(2026, 12, 10, 0, 0, 5), "12/10/2026 12:00:05 AM"},
         {At(2026, 12, 10, 12, 0, 5), "12/10/2026 12:00:05 PM"},
         {At(2024, 2, 29, 9, 5, 7), "2/29/2024 9:05:07 AM"},
         {At(2025, 12, 31, 23, 59, 59), "12/31/2025 11:59:59 PM"},
     }},
};

TEST(ReadRegionalPatterns, GivesTheChineseAndAmericanRegionsTheirClocks) {
  const std::string locale = UserLocaleName();
  const RegionCase* region = nullptr;
  for (const RegionCase& r : kRegions) {
    if (locale == r.locale) region = &r;
  }
  if (!region) GTEST_SKIP() << "no expectations for locale " << locale;

  const RegionalPatterns p = win::ReadRegionalPatterns();
  EXPECT_EQ(p.shortDate, region->shortDate);
  EXPECT_EQ(p.twelveHour, region->twelveHour);
  if (region->twelveHour) {
    EXPECT_EQ(p.markerBefore, region->markerBefore);
    EXPECT_EQ(p.amMarker, region->am);
    EXPECT_EQ(p.pmMarker, region->pm);
  }
  // Windows gives zh-CN "H:mm:ss", Wine's CLDR-derived data "HH:mm:ss"; either way the hour
  // follows the region's own setting, checked against its time format above.
  for (const StampCase& s : region->stamps) {
    const char* stamp = p.hourLeadingZero && s.stampWithHourZero ? s.stampWithHourZero : s.stamp;
    EXPECT_EQ(StampText(s.moment, p), stamp);
    EXPECT_EQ(ParseMoment(stamp, p), s.moment) << stamp;
  }
}

TEST(ReadRegionalPatterns, StampsReadBackToTheSameMoment) {
  const RegionalPatterns p = win::ReadRegionalPatterns();
  const Moment moments[] = {
      At(2026, 12, 10),         At(2026, 12, 10, 0, 0, 1),  At(2026, 12, 10, 11, 59, 59),
      At(2026, 12, 10, 12),     At(2026, 12, 10, 12, 0, 5), At(2026, 12, 10, 23, 59, 59),
      At(2024, 2, 29, 9, 5, 7), At(1900, 3, 1, 13, 7),      At(2099, 1, 31, 0, 30),
  };
  for (Moment m : moments) {
    const std::string stamp = StampText(m, p);
    EXPECT_EQ(ParseMoment(stamp, p), m) << stamp;
  }
  // A date field and a time field compose to the date of one and the time of the other.
  const Moment dateField = At(2026, 12, 10, 15, 45, 1);
  const Moment timeField = At(1999, 1, 1, 23, 59, 59) + 0.6 / 86400;
  EXPECT_EQ(ComposeMoment(dateField, timeField, p), At(2026, 12, 10, 23, 59, 59));
  EXPECT_EQ(ParseMoment(DateText(dateField, p) + " " + TimeText(timeField, p), p),
            At(2026, 12, 10, 23, 59, 59));
}

TEST(SystemClock, ReadsTheLocalWallClock) {
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const LocalTime now = win::SystemClock().Now();
  SYSTEMTIME after;
  ::GetLocalTime(&after);
  const auto encode = [](const SYSTEMTIME& t) {
    return EncodeMoment(
        {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
  };
  EXPECT_LE(encode(before), EncodeMoment(now));
  EXPECT_LE(EncodeMoment(now), encode(after));
}

}  // namespace
}  // namespace velmora
