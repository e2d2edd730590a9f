// The ministry's school calendars, iCalendar or CSV, as a user may hand any file to the import.
#include "almanac/school_import.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    almanac::ReadSchoolCalendar(std::string(reinterpret_cast<const char *>(data), size), std::nullopt, "fuzz");
    return 0;
}
