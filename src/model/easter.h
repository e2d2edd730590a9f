#pragma once

#include "model/ole_date_time.h"

// Easter Sunday of a year at midnight: the Gregorian computation from 1582 on, the Julian one
// before (its month and day taken as they are). Invalid outside the years 100 .. 9999.
COleDateTime EasterSunday(int year);
