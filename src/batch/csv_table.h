#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace batch {

// One record of a CSV file: its fields, unquoted, and the line of the file it starts on.
struct CsvRecord {
    int line = 0;
    std::vector<QString> fields;
};

// A whole file, header first; or one French sentence saying why it cannot be read.
struct CsvTable {
    std::vector<CsvRecord> records;
    QString error;
    bool readAsWindows1252 = false; // the bytes were not UTF-8
};

// The largest file a batch reads: ample for tens of thousands of customers, and it bounds what a
// wrong file (a photo, a database dump) can cost in memory.
constexpr qsizetype kMaxCsvBytes = 16 * 1024 * 1024;

// "le fichier dépasse 16 Mo ...".
QString CsvTooLarge();

// Reads CSV as RFC 4180 writes it, in UTF-8 (a leading byte-order mark is skipped) or, when the
// bytes are not UTF-8, in Windows-1252; separated by commas or by semicolons, whichever the
// header line uses. Blank lines are skipped; spaces around unquoted fields are dropped.
CsvTable ReadCsv(const QByteArray &bytes);

} // namespace batch
