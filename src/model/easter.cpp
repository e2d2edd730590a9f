#include "model/easter.h"

COleDateTime EasterSunday(int year)
{
    int month = 0;
    int day = 0;
    if (year >= 1582) {
        const int a = year % 19;
        const int b = year / 100;
        const int c = year % 100;
        const int d = b / 4;
        const int e = b % 4;
        const int f = (b + 8) / 25;
        const int g = (b - f + 1) / 3;
        const int h = (19 * a + b - d - g + 15) % 30;
        const int i = c / 4;
        const int k = c % 4;
        const int l = (32 + 2 * e + 2 * i - h - k) % 7;
        const int m = (a + 11 * h + 22 * l) / 451;
        const int n = h + l - 7 * m + 114;
        month = n / 31;
        day = n % 31 + 1;
    } else {
        if (year < COleDateTime::kMinYear)
            return COleDateTime(year, 1, 1, 0, 0, 0); // out of range: invalid
        const int a = year % 4;
        const int b = year % 7;
        const int c = year % 19;
        const int d = (19 * c + 15) % 30;
        const int e = (2 * a + 4 * b - d + 34) % 7;
        const int n = d + e + 114;
        month = n / 31;
        day = n % 31 + 1;
    }
    return COleDateTime(year, month, day, 0, 0, 0);
}
