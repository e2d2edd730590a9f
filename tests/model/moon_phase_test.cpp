#include "model/moon_phase.h"
#include "model/ole_date_time.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace moon_phase_test {

using model::MoonPhaseKind;

constexpr std::int64_t kDay = 86400000;
// Day numbers count from 1899-12-30; Unix time from 1970-01-01.
constexpr std::int64_t kUnixDayNumber = 25569;

std::int64_t Midnight(int year, int month, int day)
{
    return (model::DayNumber(year, month, day) - kUnixDayNumber) * kDay;
}

TEST(MoonPhase, WorkedExamplesOfTheBookToTheSecond)
{
    // 49.a: the new moon of February 1977; 49.b: the first last quarter of 2044.
    EXPECT_NEAR(model::MoonPhaseJde(-283), 2443192.65118, 1.0 / 86400);
    EXPECT_NEAR(model::MoonPhaseJde(544.75), 2467636.49186, 1.0 / 86400);
}

struct PublishedPhase {
    int year, month, day, hour, minute;
    MoonPhaseKind kind;
};

TEST(MoonPhase, PublishedTimesInUniversalTimeToTheMinute)
{
    const PublishedPhase cases[] = {
        {1999, 8, 11, 11, 8, MoonPhaseKind::NewMoon},  {2000, 1, 21, 4, 40, MoonPhaseKind::FullMoon},
        {2017, 8, 21, 18, 30, MoonPhaseKind::NewMoon}, {2019, 1, 21, 5, 16, MoonPhaseKind::FullMoon},
        {2024, 4, 8, 18, 21, MoonPhaseKind::NewMoon},  {2024, 7, 5, 22, 57, MoonPhaseKind::NewMoon},
        {2025, 3, 14, 6, 55, MoonPhaseKind::FullMoon},
    };
    for (const PublishedPhase &c : cases) {
        const std::int64_t day = Midnight(c.year, c.month, c.day);
        const auto phases = model::MoonPhasesBetween(day, day + kDay);
        ASSERT_EQ(phases.size(), 1u) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(phases[0].kind, c.kind) << c.year << "-" << c.month << "-" << c.day;
        const std::int64_t minute = (phases[0].unixMilliseconds - day + 30000) / 60000;
        EXPECT_EQ(minute, c.hour * 60 + c.minute) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(MoonPhase, PhasesFollowEachOtherInOrderOverCenturiesAndAtBothEndsOfTheYears)
{
    const std::pair<int, int> spans[] = {{1800, 2101}, {100, 101}, {9999, 10000}};
    for (const auto &[first, end] : spans) {
        const auto phases = model::MoonPhasesBetween(Midnight(first, 1, 1), Midnight(end, 1, 1));
        const double quarters = static_cast<double>(Midnight(end, 1, 1) - Midnight(first, 1, 1)) / kDay / 7.3826;
        EXPECT_NEAR(static_cast<double>(phases.size()), quarters, 2.0) << first;
        for (std::size_t i = 1; i < phases.size(); ++i) {
            const auto &previous = phases[i - 1];
            const auto &phase = phases[i];
            ASSERT_EQ(static_cast<int>(phase.kind), (static_cast<int>(previous.kind) + 1) % 4) << first << " #" << i;
            // A quarter of a lunation lasts between about 6 and 8.5 days.
            const std::int64_t gap = phase.unixMilliseconds - previous.unixMilliseconds;
            ASSERT_GT(gap, 6 * kDay) << first << " #" << i;
            ASSERT_LT(gap, 9 * kDay) << first << " #" << i;
        }
    }
}

} // namespace moon_phase_test
