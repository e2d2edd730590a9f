#include "batch/csv_table.h"

#include "platform/text_encoding.h"

#include <csv.h>

#include <memory>

namespace batch {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Collects libcsv's fields into records and numbers the lines as the bytes go by.
struct Collector {
    CsvTable table;
    std::vector<QString> fields;
    int line = 1;       // line of the byte being parsed
    int recordLine = 0; // line where the record being parsed starts; 0 between records
    bool afterCarriageReturn = false;

    void Advance(char byte)
    {
        // libcsv skips blank lines and the spaces before a field: a record starts at its first
        // other byte.
        if (recordLine == 0 && byte != '\r' && byte != '\n' && byte != ' ' && byte != '\t')
            recordLine = line;
        // CRLF, LF and a lone CR each end one line.
        if (byte == '\n' && !afterCarriageReturn)
            ++line;
        else if (byte == '\r')
            ++line;
        afterCarriageReturn = byte == '\r';
    }

    static void Field(void *data, std::size_t size, void *collector)
    {
        static_cast<Collector *>(collector)->fields.push_back(
            QString::fromUtf8(static_cast<const char *>(data), static_cast<qsizetype>(size)));
    }
    static void EndOfRecord(int, void *data)
    {
        auto *collector = static_cast<Collector *>(data);
        collector->table.records.push_back({collector->recordLine, std::move(collector->fields)});
        collector->fields.clear();
        collector->recordLine = 0;
    }
};

using Parser = std::unique_ptr<csv_parser, decltype(&csv_free)>;

Parser MakeParser(unsigned char separator)
{
    auto *parser = new csv_parser;
    if (csv_init(parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        delete parser;
        return {nullptr, csv_free};
    }
    csv_set_delim(parser, separator);
    return {parser, [](csv_parser *p) {
                csv_free(p);
                delete p;
            }};
}

// The separator of the header line: a semicolon when reading with semicolons splits it.
unsigned char HeaderSeparator(std::string_view text)
{
    Parser parser = MakeParser(';');
    Collector collector;
    for (const char byte : text) {
        if (csv_parse(parser.get(), &byte, 1, Collector::Field, Collector::EndOfRecord, &collector) != 1 ||
            !collector.table.records.empty())
            break;
    }
    if (collector.table.records.empty())
        csv_fini(parser.get(), Collector::Field, Collector::EndOfRecord, &collector);
    const bool semicolons = !collector.table.records.empty() && collector.table.records.front().fields.size() > 1;
    return semicolons ? ';' : ',';
}

} // namespace

QString CsvTooLarge()
{
    return QStringLiteral("le fichier dépasse %1 Mo : découpez-le en plusieurs fichiers.")
        .arg(kMaxCsvBytes / (1024 * 1024));
}

CsvTable ReadCsv(const QByteArray &bytes)
{
    CsvTable table;
    if (bytes.size() > kMaxCsvBytes) {
        table.error = CsvTooLarge();
        return table;
    }
    std::string decoded = bytes.toStdString();
    if (decoded.find('\0') != std::string::npos) {
        table.error = QStringLiteral("le fichier n'est pas un texte : enregistrez-le en « CSV UTF-8 ».");
        return table;
    }
    // What a French spreadsheet saves as "CSV (séparateur : point-virgule)" is Windows-1252.
    table.readAsWindows1252 = platform::ConvertToUtf8(decoded);
    std::string_view text(decoded);
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());

    Parser parser = MakeParser(HeaderSeparator(text));
    if (!parser) {
        table.error = QStringLiteral("mémoire insuffisante pour lire le fichier.");
        return table;
    }
    // Byte by byte, so that every record knows the line it starts on, even past quoted line breaks.
    Collector collector;
    int status = CSV_SUCCESS;
    for (const char byte : text) {
        collector.Advance(byte);
        if (csv_parse(parser.get(), &byte, 1, Collector::Field, Collector::EndOfRecord, &collector) != 1) {
            status = csv_error(parser.get());
            break;
        }
    }
    // An unterminated quoted field at the end of the file is an error of its own.
    if (status == CSV_SUCCESS && csv_fini(parser.get(), Collector::Field, Collector::EndOfRecord, &collector) != 0)
        status = CSV_EPARSE;
    switch (status) {
    case CSV_SUCCESS:
        break;
    case CSV_EPARSE:
        table.error = QStringLiteral("ligne %1 : guillemets mal placés ; un champ entre guillemets double "
                                     "chacun de ses propres guillemets.")
                          .arg(collector.recordLine != 0 ? collector.recordLine : collector.line);
        return table;
    default:
        table.error = QStringLiteral("mémoire insuffisante pour lire le fichier.");
        return table;
    }
    table.records = std::move(collector.table.records);
    return table;
}

} // namespace batch
