#include "win/regional_settings.h"

#include <windows.h>

#include <string>

#include "win/text.h"

namespace velmora::win {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[128];
  const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  return n > 1 ? Narrow(std::wstring_view(buffer, n - 1)) : fallback;
}

// The era exactly as the platform renders the pattern's "gg" for today; empty where the
// calendar names none.
std::string EraText() {
  SYSTEMTIME today;
  ::GetLocalTime(&today);
  wchar_t buffer[64];
  const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &today, L"gg", buffer, 64, nullptr);
  return n > 1 ? Narrow(std::wstring_view(buffer, n - 1)) : std::string();
}

int LocaleNumber(LCTYPE type, int fallback) {
  DWORD value = 0;
  const int n =
      ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<wchar_t*>(&value), sizeof(value) / sizeof(wchar_t));
  return n > 0 ? static_cast<int>(value) : fallback;
}

}  // namespace

RegionalPatterns ReadRegionalPatterns() {
  RegionalPatterns p;
  p.shortDate = LocaleText(LOCALE_SSHORTDATE, "yyyy/M/d");
  p.dateSeparator = LocaleText(LOCALE_SDATE, "/");
  p.timeSeparator = LocaleText(LOCALE_STIME, ":");
  p.decimalSeparator = LocaleText(LOCALE_SDECIMAL, ".");
  p.eraText = EraText();
  // The name constants of one kind are consecutive: January (Monday) first.
  for (int i = 0; i < 12; ++i) {
    p.monthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, p.monthNames[i].c_str());
    p.shortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, p.shortMonthNames[i].c_str());
  }
  for (int i = 0; i < 7; ++i) {
    p.dayNames[i] = LocaleText(LOCALE_SDAYNAME1 + i, p.dayNames[i].c_str());
    p.shortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + i, p.shortDayNames[i].c_str());
  }
  p.hourLeadingZero = LocaleNumber(LOCALE_ITLZERO, 0) != 0;
  p.twelveHour = LocaleNumber(LOCALE_ITIME, 1) == 0;
  p.markerBefore = LocaleNumber(LOCALE_ITIMEMARKPOSN, 0) != 0;
  p.amMarker = LocaleText(LOCALE_S1159, "AM");
  p.pmMarker = LocaleText(LOCALE_S2359, "PM");
  DWORD yearMax = 0;
  if (::GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, CAL_GREGORIAN, nullptr,
                          CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &yearMax) &&
      yearMax >= 99 && yearMax <= 9999) {
    p.twoDigitYearMax = static_cast<int>(yearMax);
  }
  return p;
}

}  // namespace velmora::win
