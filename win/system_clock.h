// The local wall clock, the one every use of "now" in the program reads.
#pragma once

#include "core/schedule_context.h"

namespace velmora::win {

class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace velmora::win
