#pragma once

#include <libical/ical.h>

#include <memory>

namespace ical {

struct ComponentFree {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
// Owns a component and everything inside it.
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator *iterator) const { icalrecur_iterator_free(iterator); }
};
using RecurIterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;

} // namespace ical
