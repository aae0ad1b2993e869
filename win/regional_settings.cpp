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

// GetLocalTime moves on only with the system tick (15.6 ms by default): a tick that comes a
// millisecond after its boundary would still read the second before. The precise clock is
// read instead and shifted by the current bias, as GetLocalTime does.
LocalTime SystemClock::Now() const {
  FILETIME utc;
  ::GetSystemTimePreciseAsFileTime(&utc);
  FILETIME local;
  SYSTEMTIME st;
  if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &st)) {
    ::GetLocalTime(&st);
  }
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace velmora::win
