// Bytes as a batch file: its records, the header and every row with its message, as a batch run
// reads them before drawing anything.
#include "batch/batch_rows.h"
#include "batch/csv_table.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const batch::CsvTable table =
        batch::ReadCsv(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!table.error.isEmpty() || table.records.empty())
        return 0;
    const batch::Header header = batch::ReadHeader(table.records.front());
    if (!header.error.isEmpty())
        return 0;
    batch::ReadRows(header, std::vector<batch::CsvRecord>(table.records.begin() + 1, table.records.end()));
    return 0;
}
