#include "model/moon_phase.h"

#include <cmath>

namespace model {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSynodicMonth = 29.530588861;
// JDE of the mean new moon of lunation 0 (6 January 2000).
constexpr double kEpochJde = 2451550.09766;
// Julian day of 1970-01-01 00:00 UT.
constexpr double kUnixEpochJd = 2440587.5;
constexpr double kMillisecondsPerDay = 86400000.0;

double SinDeg(double degrees)
{
    return std::sin(std::fmod(degrees, 360.0) * kPi / 180.0);
}

double CosDeg(double degrees)
{
    return std::cos(std::fmod(degrees, 360.0) * kPi / 180.0);
}

// coefficient x E^e x sin(a M' + b M + c F), E being the eccentricity factor of the Earth's orbit.
struct PeriodicTerm {
    double coefficient;
    int e, mPrime, m, f;
};

constexpr PeriodicTerm kNewMoonTerms[] = {
    {-0.40720, 0, 1, 0, 0}, {0.17241, 1, 0, 1, 0},    {0.01608, 0, 2, 0, 0},  {0.01039, 0, 0, 0, 2},
    {0.00739, 1, 1, -1, 0}, {-0.00514, 1, 1, 1, 0},   {0.00208, 2, 0, 2, 0},  {-0.00111, 0, 1, 0, -2},
    {-0.00057, 0, 1, 0, 2}, {0.00056, 1, 2, 1, 0},    {-0.00042, 0, 3, 0, 0}, {0.00042, 1, 0, 1, 2},
    {0.00038, 1, 0, 1, -2}, {-0.00024, 1, 2, -1, 0},  {-0.00007, 0, 1, 2, 0}, {0.00004, 0, 2, 0, -2},
    {0.00004, 0, 0, 3, 0},  {0.00003, 0, 1, 1, -2},   {0.00003, 0, 2, 0, 2},  {-0.00003, 0, 1, 1, 2},
    {0.00003, 0, 1, -1, 2}, {-0.00002, 0, 1, -1, -2}, {-0.00002, 0, 3, 1, 0}, {0.00002, 0, 4, 0, 0},
};

constexpr PeriodicTerm kFullMoonTerms[] = {
    {-0.40614, 0, 1, 0, 0}, {0.17302, 1, 0, 1, 0},    {0.01614, 0, 2, 0, 0},  {0.01043, 0, 0, 0, 2},
    {0.00734, 1, 1, -1, 0}, {-0.00515, 1, 1, 1, 0},   {0.00209, 2, 0, 2, 0},  {-0.00111, 0, 1, 0, -2},
    {-0.00057, 0, 1, 0, 2}, {0.00056, 1, 2, 1, 0},    {-0.00042, 0, 3, 0, 0}, {0.00042, 1, 0, 1, 2},
    {0.00038, 1, 0, 1, -2}, {-0.00024, 1, 2, -1, 0},  {-0.00007, 0, 1, 2, 0}, {0.00004, 0, 2, 0, -2},
    {0.00004, 0, 0, 3, 0},  {0.00003, 0, 1, 1, -2},   {0.00003, 0, 2, 0, 2},  {-0.00003, 0, 1, 1, 2},
    {0.00003, 0, 1, -1, 2}, {-0.00002, 0, 1, -1, -2}, {-0.00002, 0, 3, 1, 0}, {0.00002, 0, 4, 0, 0},
};

constexpr PeriodicTerm kQuarterTerms[] = {
    {-0.62801, 0, 1, 0, 0}, {0.17172, 1, 0, 1, 0},  {-0.01183, 1, 1, 1, 0},  {0.00862, 0, 2, 0, 0},
    {0.00804, 0, 0, 0, 2},  {0.00454, 1, 1, -1, 0}, {0.00204, 2, 0, 2, 0},   {-0.00180, 0, 1, 0, -2},
    {-0.00070, 0, 1, 0, 2}, {-0.00040, 0, 3, 0, 0}, {-0.00034, 1, 2, -1, 0}, {0.00032, 1, 0, 1, 2},
    {0.00032, 1, 0, 1, -2}, {-0.00028, 2, 1, 2, 0}, {0.00027, 1, 2, 1, 0},   {-0.00005, 0, 1, -1, -2},
    {0.00004, 0, 2, 0, 2},  {-0.00004, 0, 1, 1, 2}, {0.00004, 0, 1, -2, 0},  {0.00003, 0, 1, 1, -2},
    {0.00003, 0, 0, 3, 0},  {0.00002, 0, 2, 0, -2}, {0.00002, 0, 1, -1, 2},  {-0.00002, 0, 3, 1, 0},
};

// coefficient x sin(constant + rate k): the planetary arguments A1..A14 (A1 also has a T² term).
struct PlanetaryTerm {
    double coefficient, constant, rate;
};

constexpr PlanetaryTerm kPlanetaryTerms[] = {
    {0.000325, 299.77, 0.107408},  {0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886},
    {0.000126, 349.42, 36.412478}, {0.000110, 84.66, 18.206239}, {0.000062, 141.74, 53.303771},
    {0.000060, 207.14, 2.453732},  {0.000056, 154.84, 7.306860}, {0.000047, 34.52, 27.261239},
    {0.000042, 207.19, 0.121824},  {0.000040, 291.34, 1.844379}, {0.000037, 161.72, 24.198154},
    {0.000035, 239.56, 25.513099}, {0.000023, 331.55, 3.592518},
};

// The phase of lunation index n (k = n / 4), taking negative n into account.
MoonPhaseKind KindOf(std::int64_t n)
{
    return static_cast<MoonPhaseKind>(((n % 4) + 4) % 4);
}

} // namespace

double MoonPhaseJde(double k)
{
    const double T = k / 1236.85;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    double jde = kEpochJde + kSynodicMonth * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;

    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = 2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3;
    const double Mp = 201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4;
    const double F = 160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4;
    const double Omega = 124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3;

    const double fraction = k - std::floor(k);
    const bool quarter = std::abs(fraction - 0.25) < 0.01 || std::abs(fraction - 0.75) < 0.01;
    const auto &terms = quarter ? kQuarterTerms : std::abs(fraction - 0.5) < 0.01 ? kFullMoonTerms : kNewMoonTerms;
    for (const PeriodicTerm &term : terms) {
        const double factor = term.e == 0 ? 1 : term.e == 1 ? E : E * E;
        jde += term.coefficient * factor * SinDeg(term.mPrime * Mp + term.m * M + term.f * F);
    }
    jde += -0.00017 * SinDeg(Omega);
    if (quarter) {
        const double W = 0.00306 - 0.00038 * E * CosDeg(M) + 0.00026 * CosDeg(Mp) - 0.00002 * CosDeg(Mp - M) +
                         0.00002 * CosDeg(Mp + M) + 0.00002 * CosDeg(2 * F);
        jde += fraction < 0.5 ? W : -W;
    }

    for (std::size_t i = 0; i < std::size(kPlanetaryTerms); ++i) {
        const PlanetaryTerm &term = kPlanetaryTerms[i];
        double argument = term.constant + term.rate * k;
        if (i == 0)
            argument -= 0.009173 * T2;
        jde += term.coefficient * SinDeg(argument);
    }
    return jde;
}

double DeltaT(double y)
{
    const auto longTerm = [](double year) {
        const double u = (year - 1820) / 100;
        return -20 + 32 * u * u;
    };
    if (y < -500)
        return longTerm(y);
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 +
               u * (-1014.41 +
                    u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 + u * (-556.01 + u * (71.23472 +
                                            u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 + t * (-0.332447 +
                            t * (0.0068612 +
                                 t * (0.0041116 + t * (-0.00037436 + t * (0.0000121272 +
                                                                          t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + t * (0.407 + t * (-1 / 233.0 + t / 2547));
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + t * (1.067 + t * (-1 / 260.0 - t / 718));
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    if (y < 2150)
        return longTerm(y) - 0.5628 * (2150 - y);
    return longTerm(y);
}

std::vector<MoonPhase> MoonPhasesBetween(std::int64_t from, std::int64_t to)
{
    std::vector<MoonPhase> phases;
    if (to <= from)
        return phases;
    // Start two quarters before the mean phase at `from`: the corrections and ΔT move a phase by
    // far less than that.
    const double fromJd = static_cast<double>(from) / kMillisecondsPerDay + kUnixEpochJd;
    std::int64_t n = static_cast<std::int64_t>(std::floor((fromJd - kEpochJde) / kSynodicMonth * 4)) - 2;
    for (;; ++n) {
        const double jde = MoonPhaseJde(static_cast<double>(n) / 4);
        const double decimalYear = 2000 + (jde - 2451544.5) / 365.2425;
        const double jdUt = jde - DeltaT(decimalYear) / 86400;
        const auto instant = static_cast<std::int64_t>(std::llround((jdUt - kUnixEpochJd) * kMillisecondsPerDay));
        if (instant >= to)
            break;
        if (instant >= from)
            phases.push_back({KindOf(n), instant});
    }
    return phases;
}

} // namespace model
