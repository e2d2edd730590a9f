#include "dialogs/text_scan.h"

namespace dialogs {

namespace {

// Far above every accepted value, far below what an int64 holds.
constexpr std::int64_t kOverflow = std::int64_t{1} << 40;

bool IsCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int digit = -1;
    if (u >= u'0' && u <= u'9')
        digit = u - u'0';
    else if (u >= u'a' && u <= u'f')
        digit = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        digit = u - u'A' + 10;
    return digit < base ? digit : -1;
}

ScannedNumber Scan(const QString &text, int base)
{
    ScannedNumber result;
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    if (i == text.size())
        return result;
    result.items = 0;
    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') {
        negative = text[i] == u'-';
        ++i;
    }
    // "0x" counts as a prefix only when a hexadecimal digit follows it.
    if (base == 16 && i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        DigitValue(text[i + 2], 16) >= 0)
        i += 2;
    const qsizetype firstDigit = i;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            break;
        value = value * base + digit;
        if (value > kOverflow) {
            result.overflowed = true;
            value = kOverflow;
        }
    }
    if (i == firstDigit)
        return result;
    result.value = negative ? -value : value;
    result.items = i == text.size() ? 1 : 2;
    return result;
}

} // namespace

ScannedNumber ScanDecimal(const QString &text)
{
    return Scan(text, 10);
}

ScannedNumber ScanHexadecimal(const QString &text)
{
    return Scan(text, 16);
}

bool IsLoneNumberIn(const ScannedNumber &scan, std::int64_t low, std::int64_t high)
{
    return scan.items == 1 && !scan.overflowed && scan.value >= low && scan.value <= high;
}

} // namespace dialogs
