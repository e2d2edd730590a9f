#include "almanac/school_limits.h"
#include "almanac/school_readers.h"
#include "almanac/school_text.h"

#include <csv.h>

#include <array>
#include <memory>

namespace almanac {

namespace {

// The columns read, under their field names or their labels.
enum Column { Description, Start, End, Zones, Population, kColumns };

std::optional<Column> ColumnNamed(const QString &header)
{
    const QString name = header.trimmed().toLower();
    if (name == u"description")
        return Description;
    if (name == u"start_date" || name == u"date de début")
        return Start;
    if (name == u"end_date" || name == u"date de fin")
        return End;
    if (name == u"zones" || name == u"zone")
        return Zones;
    if (name == u"population")
        return Population;
    return std::nullopt;
}

// Collects libcsv's fields into records, each with the line it starts on.
struct Records {
    std::vector<std::vector<QString>> rows;
    std::vector<int> lines;
    std::vector<QString> fields;
    int line = 1;
    bool tooMany = false;

    static void Field(void *data, std::size_t size, void *records)
    {
        auto *self = static_cast<Records *>(records);
        if (self->fields.empty())
            self->lines.push_back(self->line);
        self->fields.push_back(QString::fromUtf8(static_cast<const char *>(data), static_cast<qsizetype>(size)));
    }
    static void EndOfRecord(int, void *records)
    {
        auto *self = static_cast<Records *>(records);
        if (self->fields.empty())
            self->lines.push_back(self->line);
        self->rows.push_back(std::move(self->fields));
        self->fields.clear();
        self->tooMany = self->rows.size() > kMaxSchoolRows;
    }
};

using Parser = std::unique_ptr<csv_parser, void (*)(csv_parser *)>;

Parser MakeParser(unsigned char separator)
{
    auto *parser = new csv_parser;
    if (csv_init(parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        delete parser;
        return {nullptr, [](csv_parser *) {}};
    }
    csv_set_delim(parser, separator);
    return {parser, [](csv_parser *p) {
                csv_free(p);
                delete p;
            }};
}

} // namespace

std::optional<SchoolImport> ReadSchoolCsv(const std::string &text, std::optional<SchoolZone> zone,
                                          const std::string &fileName)
{
    // The export separates with semicolons; a spreadsheet may have saved it with commas.
    const std::string_view header(text.data(), std::min(text.find('\n'), text.size()));
    std::array<int, kColumns> index;
    index.fill(-1);
    int position = 0;
    const char separator = header.find(';') != std::string_view::npos ? ';' : ',';
    for (std::size_t from = 0; from <= header.size(); ++position) {
        const std::size_t end = std::min(header.find(separator, from), header.size());
        if (const auto column = ColumnNamed(QString::fromUtf8(header.substr(from, end - from)).remove(u'"')))
            index[*column] = position;
        from = end + 1;
    }
    if (index[Description] < 0 || index[Start] < 0 || index[End] < 0 || index[Zones] < 0)
        return std::nullopt;

    SchoolImport import;
    Parser parser = MakeParser(static_cast<unsigned char>(separator));
    if (!parser) {
        import.error = Refusal(fileName, "ne peut pas être lu : mémoire insuffisante");
        return import;
    }
    // Line by line, so that every record knows the line it starts on.
    Records records;
    bool parsed = true;
    for (std::size_t from = 0; from < text.size() && parsed && !records.tooMany; ++records.line) {
        const std::size_t end = std::min(text.find('\n', from), text.size() - 1);
        parsed = csv_parse(parser.get(), text.data() + from, end + 1 - from, Records::Field, Records::EndOfRecord,
                           &records) == end + 1 - from;
        from = end + 1;
    }
    if (parsed && !records.tooMany)
        parsed = csv_fini(parser.get(), Records::Field, Records::EndOfRecord, &records) == 0;
    if (records.tooMany) {
        import.error = Refusal(fileName, "a plus de " + std::to_string(kMaxSchoolRows) + " lignes");
        return import;
    }
    if (!parsed) {
        import.error = Refusal(fileName, "a des guillemets mal placés vers la ligne " + std::to_string(records.line));
        return import;
    }

    auto field = [](const std::vector<QString> &row, int column) {
        return column >= 0 && static_cast<std::size_t>(column) < row.size() ? row[static_cast<std::size_t>(column)]
                                                                            : QString();
    };
    const ImportDeadline deadline;
    for (std::size_t r = 1; r < records.rows.size(); ++r) {
        if (deadline.Passed()) {
            import.error = Refusal(fileName, deadline.Reason());
            return import;
        }
        const std::vector<QString> &row = records.rows[r];
        const QString description = field(row, index[Description]);
        if (field(row, index[Population]).contains(QStringLiteral("enseignant"), Qt::CaseInsensitive) ||
            !NamesSchoolHoliday(description))
            continue;
        std::vector<SchoolZone> zones = ZonesNamed(field(row, index[Zones]));
        if (zone)
            std::erase_if(zones, [&zone](SchoolZone z) { return z != *zone; });
        if (zones.empty())
            continue;
        const std::string where = "ligne " + std::to_string(records.lines[r]);
        const QString start = field(row, index[Start]);
        const QString end = field(row, index[End]);
        if (end.trimmed().isEmpty())
            continue; // the start of a holiday whose end is not published: nothing to draw
        const auto first = ParisDay(start);
        const auto last = ParisDayBefore(end);
        if (!first || !last) {
            import.error = Refusal(fileName, "a une date illisible « " + (first ? end : start).toStdString() + " » (" +
                                                 where + ")");
            return import;
        }
        if (!AddPeriod(import, *first, *last, zones, HolidayName(description), where, fileName))
            return import;
    }
    return import;
}

} // namespace almanac
