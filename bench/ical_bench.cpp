// The import of one year from agendas that used to hold the program for seconds or minutes, and
// from an ordinary family agenda, with the import's own budget.
#include "ical/ical_import.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace {

std::string Calendar(const std::function<std::string(int)> &event, int events)
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//b//b//FR\r\n";
    for (int i = 0; i < events; ++i)
        text += "BEGIN:VEVENT\r\nUID:" + std::to_string(i) + "\r\n" + event(i) + "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

void Import(benchmark::State &state, const std::string &text)
{
    for (auto _ : state) {
        const ical::ImportResult result = ical::ImportCalendar(text, 2027, "Europe/Paris", "b.ics");
        benchmark::DoNotOptimize(result.days.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Birthdays, weekly lessons and single days: what most agendas hold.
void BM_FamilyAgenda(benchmark::State &state)
{
    Import(state, Calendar(
                      [](int i) {
                          return i % 3 == 0 ? "DTSTART;VALUE=DATE:19800612\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:A\r\n"
                                 : i % 3 == 1
                                     ? "DTSTART:20260107T170000Z\r\nRRULE:FREQ=WEEKLY;BYDAY=WE\r\nSUMMARY:C\r\n"
                                     : "DTSTART;VALUE=DATE:20270405\r\nDURATION:P3D\r\nSUMMARY:S\r\n";
                      },
                      300));
}
BENCHMARK(BM_FamilyAgenda)->Unit(benchmark::kMillisecond);

void BM_RulesOfEverySecond(benchmark::State &state)
{
    std::string rules;
    for (int i = 1; i <= 100; ++i)
        rules += "RRULE:FREQ=SECONDLY;INTERVAL=" + std::to_string(i) + "\r\n";
    Import(state, Calendar([&rules](int) { return "DTSTART:20270101T000000Z\r\n" + rules + "SUMMARY:R\r\n"; }, 1));
}
BENCHMARK(BM_RulesOfEverySecond)->Unit(benchmark::kMillisecond);

void BM_RulesThatNeverMatch(benchmark::State &state)
{
    const char *frequencies[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY", "MONTHLY"};
    Import(state, Calendar(
                      [&frequencies](int i) {
                          return std::string("DTSTART:20260105T090000\r\nRRULE:FREQ=") + frequencies[i % 5] +
                                 ";BYMONTH=2;BYMONTHDAY=30\r\nSUMMARY:J\r\n";
                      },
                      50));
}
BENCHMARK(BM_RulesThatNeverMatch)->Unit(benchmark::kMillisecond);

void BM_TwentyThousandExclusions(benchmark::State &state)
{
    std::string exdates;
    for (int i = 0; i < 20000; ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "EXDATE:2027%02d%02dT%02d0000Z\r\n", 1 + i / 28 % 12, 1 + i % 28,
                      i / 336 % 24);
        exdates += line;
    }
    Import(state, Calendar(
                      [&exdates](int) {
                          return "DTSTART:20270101T000000Z\r\nRRULE:FREQ=SECONDLY\r\n" + exdates + "SUMMARY:X\r\n";
                      },
                      1));
}
BENCHMARK(BM_TwentyThousandExclusions)->Unit(benchmark::kMillisecond);

void BM_HugeCountsFrom1900(benchmark::State &state)
{
    Import(
        state,
        Calendar([](int) { return "DTSTART:19000101T000000Z\r\nRRULE:FREQ=DAILY;COUNT=2000000000\r\nSUMMARY:E\r\n"; },
                 400));
}
BENCHMARK(BM_HugeCountsFrom1900)->Unit(benchmark::kMillisecond);

// Refused by the pre-scan before libical builds anything.
void BM_DeepNesting(benchmark::State &state)
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//b//b//FR\r\n";
    for (int i = 0; i < 400000; ++i)
        text += "BEGIN:X\r\n";
    Import(state, text);
}
BENCHMARK(BM_DeepNesting)->Unit(benchmark::kMillisecond);

} // namespace
