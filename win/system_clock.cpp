#include "win/system_clock.h"

#include <windows.h>

namespace velmora::win {

// GetLocalTime moves on only with the system tick (15.6 ms by default): a tick that comes a
// millisecond after its boundary would still read the second before. The precise clock is
// read instead and turned into local time as GetLocalTime does.
LocalTime SystemClock::Now() const {
  FILETIME utc;
  ::GetSystemTimePreciseAsFileTime(&utc);
  SYSTEMTIME utcTime;
  SYSTEMTIME st;
  if (!::FileTimeToSystemTime(&utc, &utcTime) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &st)) {
    ::GetLocalTime(&st);
  }
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace velmora::win
