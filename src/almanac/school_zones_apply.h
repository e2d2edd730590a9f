#pragma once

#include "model/region.h"

namespace almanac {

// Whether the school holidays of zones A, B and C belong on a calendar for `region`: the
// overseas regions keep school calendars of their own, which the zones do not tell.
bool SchoolZonesApply(model::Region region);

} // namespace almanac
