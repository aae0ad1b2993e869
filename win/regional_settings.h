// The user's regional date and time settings, read from the locale.
#pragma once

#include "core/moment.h"

namespace velmora::win {

// Read at start and again whenever the system announces a settings change.
RegionalPatterns ReadRegionalPatterns();

}  // namespace velmora::win
