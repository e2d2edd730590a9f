#pragma once

#include <cstdint>
#include <vector>

namespace model {

// The four principal phases, in the order they follow each other.
enum class MoonPhaseKind : int { NewMoon = 0, FirstQuarter = 1, FullMoon = 2, LastQuarter = 3 };

// The instant of a phase in dynamical time, as a Julian Ephemeris Day, after Meeus
// ("Astronomical Algorithms", mean phase with periodic and planetary corrections). k counts
// lunations from the new moon of 6 January 2000; its fraction gives the phase: .0 new moon,
// .25 first quarter, .5 full moon, .75 last quarter.
double MoonPhaseJde(double k);

// Dynamical minus universal time, in seconds, at a decimal year (Espenak and Meeus's
// polynomials, valid as a long-term extrapolation beyond the observed years).
double DeltaT(double decimalYear);

struct MoonPhase {
    MoonPhaseKind kind = MoonPhaseKind::NewMoon;
    std::int64_t unixMilliseconds = 0; // universal time, milliseconds since 1970-01-01 00:00
};

// Every phase whose instant lies in [from, to) (universal time, milliseconds since 1970), in
// time order.
std::vector<MoonPhase> MoonPhasesBetween(std::int64_t from, std::int64_t to);

} // namespace model
