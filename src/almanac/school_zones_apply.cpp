#include "almanac/school_zones_apply.h"

#include "document/app_settings.h"

namespace almanac {

bool SchoolZonesApply(const AppSettings &settings)
{
    return settings.Pays.country == model::Country::France &&
           (settings.Region == model::Region::Metropole || settings.Region == model::Region::AlsaceMoselle);
}

} // namespace almanac
