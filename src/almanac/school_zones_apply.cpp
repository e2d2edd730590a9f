#include "almanac/school_zones_apply.h"

namespace almanac {

bool SchoolZonesApply(model::Region region)
{
    return region == model::Region::Metropole || region == model::Region::AlsaceMoselle;
}

} // namespace almanac
