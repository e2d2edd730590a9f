#pragma once

struct AppSettings;

namespace almanac {

// Whether the school holidays of zones A, B and C belong on the calendar: they are metropolitan
// France's, and the overseas regions and the other countries keep school calendars of their own,
// which the zones do not tell.
bool SchoolZonesApply(const AppSettings &settings);

} // namespace almanac
