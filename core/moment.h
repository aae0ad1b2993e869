// Local moments as day numbers, their rendering with the user's regional patterns and the
// exact inverse that reads a rendering back.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora {

// Days since 30 December 1899; the fraction is the time of day (0.5 is noon).
using Moment = double;

// A wall-clock reading, field for field as the platform reports it.
struct LocalTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The regional settings that rendering and parsing depend on, as a plain value.
struct RegionalPatterns {
  // Short-date pattern with the region's separator as literal text, e.g. "yyyy/M/d".
  std::string shortDate = "yyyy/M/d";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string decimalSeparator = ".";
  // What the pattern's g or gg shows: the calendar's era, e.g. "A.D." or "公元". Where it is
  // empty the era is left out together with the separator that joined it to the date.
  std::string eraText = "A.D.";
  // What MMMM and MMM show, January first, and dddd and ddd, Monday first.
  std::array<std::string, 12> monthNames = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  std::array<std::string, 12> shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 7> dayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                         "Friday", "Saturday", "Sunday"};
  std::array<std::string, 7> shortDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  bool hourLeadingZero = false;
  bool twelveHour = false;
  bool markerBefore = false;  // 12-hour marker before the time ("AM 9:05:00") or after it
  std::string amMarker = "AM";
  std::string pmMarker = "PM";
  // A two-digit year yy is read as the year in (twoDigitYearMax - 100, twoDigitYearMax].
  int twoDigitYearMax = 2049;
};

bool IsValidDate(int year, int month, int day);
// Throws Error when the fields do not name a real date and time.
Moment EncodeMoment(const LocalTime& t);
// Rounds the time of day to the nearest millisecond first (carrying into the next day).
LocalTime DecodeMoment(Moment m);

// The long-time pattern built from the region's settings, e.g. "H:mm:ss" or "tt h:mm:ss".
std::string LongTimePattern(const RegionalPatterns& p);

std::string DateText(Moment m, const RegionalPatterns& p);
std::string TimeText(Moment m, const RegionalPatterns& p);
// Date, then a space and the time unless the time is 00:00:00.
std::string StampText(Moment m, const RegionalPatterns& p);
// Exact inverse of StampText; throws Error("'text' is not a valid date and time").
Moment ParseMoment(std::string_view text, const RegionalPatterns& p);
// The calendar date of dateValue joined with the time of day (to the second) of timeValue.
Moment ComposeMoment(Moment dateValue, Moment timeValue, const RegionalPatterns& p);
// True when both lie in the same calendar second.
bool SameSecond(Moment now, Moment m, const RegionalPatterns& p);

}  // namespace velmora
