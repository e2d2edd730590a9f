// The texts typed into the year, colour and particular-day dialogs.
#include "dialogs/enter_jour_ferie.h"
#include "dialogs/text_scan.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const dialogs::ScannedNumber decimal = dialogs::ScanDecimal(text);
    const dialogs::ScannedNumber hexadecimal = dialogs::ScanHexadecimal(text);
    dialogs::IsLoneNumberIn(decimal, 100, 9999);
    dialogs::IsLoneNumberIn(hexadecimal, 0, 0xFFFFFF);
    int day = 0, month = 0;
    CEnterJourFerie::ScanDate(text, day, month);
    return 0;
}
