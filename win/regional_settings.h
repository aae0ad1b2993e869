// The user's regional date and time settings, read from the locale.
#pragma once

#include "core/moment.h"
#include "core/schedule_context.h"

namespace velmora::win {

// Read at start and again whenever the system announces a settings change.
RegionalPatterns ReadRegionalPatterns();

// The local wall clock.
class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace velmora::win
