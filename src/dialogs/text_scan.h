#pragma once

#include <QString>

#include <cstdint>

namespace dialogs {

// A number read the way a C scan "%d%c" or "%X%c" reads a text: leading white space, an
// optional sign (and for hexadecimal an optional 0x prefix), then digits. `items` is what the
// scan would return: 1 for a number alone, 2 for a number followed by anything (a space
// included), 0 when no number starts the text, -1 for a text of nothing but white space.
struct ScannedNumber {
    int items = -1;
    std::int64_t value = 0;  // with its sign; meaningful when items >= 1 and not overflowed
    bool overflowed = false; // more digits than any value the dialogs take
};

ScannedNumber ScanDecimal(const QString &text);
ScannedNumber ScanHexadecimal(const QString &text);

// Exactly one number and nothing after it, within [low, high].
bool IsLoneNumberIn(const ScannedNumber &scan, std::int64_t low, std::int64_t high);

} // namespace dialogs
