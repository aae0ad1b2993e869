#include "win/system_clock.h"

#include <windows.h>

namespace velmora::win {

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
