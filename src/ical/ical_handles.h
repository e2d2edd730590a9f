#pragma once

#include <libical/ical.h>

#include <memory>

namespace ical {

struct ComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
// Owns a component and everything inside it.
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

} // namespace ical
