// ParseMoment against any pattern, separators, markers and text: it returns a real moment or
// throws Error, and never crashes, reads out of bounds or hangs.
#include <cmath>

#include "core/error.h"
#include "core/moment.h"
#include "fuzz_check.h"

using velmora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  velmora::RegionalPatterns p;
  p.shortDate = data.ConsumeRandomLengthString(24);
  p.eraText = data.ConsumeRandomLengthString(8);
  p.timeSeparator = data.ConsumeRandomLengthString(4);
  p.decimalSeparator = data.ConsumeRandomLengthString(4);
  p.amMarker = data.ConsumeRandomLengthString(8);
  p.pmMarker = data.ConsumeRandomLengthString(8);
  p.hourLeadingZero = data.ConsumeBool();
  p.twelveHour = data.ConsumeBool();
  p.markerBefore = data.ConsumeBool();
  p.twoDigitYearMax = data.ConsumeIntegral<int>();
  const std::string text = data.ConsumeRemainingBytesAsString();
  velmora::Moment m;
  try {
    m = velmora::ParseMoment(text, p);
  } catch (const velmora::Error&) {
    return 0;
  }
  // Whatever it reads is a real date and time that encodes to the same number again.
  Check(std::isfinite(m), "a parsed moment is finite", text);
  const velmora::LocalTime t = velmora::DecodeMoment(m);
  Check(velmora::EncodeMoment(t) == m, "a parsed moment is a real date and time", text);
  return 0;
}
