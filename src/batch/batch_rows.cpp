#include "batch/batch_rows.h"

#include "document/layout_names.h"
#include "model/ole_date_time.h"
#include "platform/text_encoding.h"

#include <QList>

#include <map>

namespace batch {

namespace {

constexpr std::array<const char *, kColumnCount> kColumnNames = {
    "fichier", "annee",      "disposition", "pub1",   "pub2",   "image1", "image2", "region",
    "pays",    "couverture", "mois1",       "mois2",  "mois3",  "mois4",  "mois5",  "mois6",
    "mois7",   "mois8",      "mois9",       "mois10", "mois11", "mois12", "photos"};

// Lower case without accents: "Année" and "RÉGION" name their columns too.
QString Folded(const QString &name)
{
    QString folded;
    for (const QChar c : name.trimmed().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c.toLower());
    }
    return folded;
}

QString LineError(int line, const QString &reason)
{
    return QStringLiteral("ligne %1 : %2").arg(line).arg(reason);
}

// An override (U+202E) would make "cal\u202Efdp.exe" read as "calexe.pdf"; control characters
// stay, for FileNameError to refuse.
QString WithoutBidiMarks(const QString &text)
{
    QString kept;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || !platform::IsHiddenControl(c))
            kept += QString::fromUcs4(&c, 1);
    }
    return kept;
}

// A cell as a message quotes it: a name of a megabyte is not echoed whole.
QString Shortened(const QString &text)
{
    constexpr qsizetype kLongest = 60;
    if (text.size() <= kLongest)
        return text;
    qsizetype length = kLongest - 1;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + QStringLiteral("…");
}

QString FileNameError(const QString &name)
{
    // The longest name a Linux folder takes, in bytes, with the ".pdf" that may be added.
    constexpr qsizetype kLongestName = 255 - 4;
    if (name.isEmpty())
        return QStringLiteral("la colonne fichier est vide.");
    if (name.toUtf8().size() > kLongestName)
        return QStringLiteral("nom de fichier « %1 » refusé : trop long (%2 octets ; %3 au plus).")
            .arg(Shortened(name))
            .arg(name.toUtf8().size())
            .arg(kLongestName);
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1String("..")))
        return QStringLiteral("nom de fichier « %1 » refusé : ni « / » ni « .. », le PDF s'écrit dans le dossier de "
                              "sortie.")
            .arg(Shortened(name));
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("nom de fichier « %1 » refusé : il contient un caractère de contrôle.")
                .arg(Shortened(name));
    }
    return {};
}

} // namespace

Header ReadHeader(const CsvRecord &header)
{
    Header result;
    result.columns = header.fields.size();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const QString name = Folded(header.fields[i]);
        std::size_t column = 0;
        while (column < kColumnNames.size() && name != QLatin1String(kColumnNames[column]))
            ++column;
        if (column == kColumnNames.size()) {
            result.error = QStringLiteral("colonne inconnue « %1 » (colonnes possibles : fichier, annee, disposition, "
                                          "pub1, pub2, image1, image2, region, pays, couverture, mois1 à mois12, "
                                          "photos).")
                               .arg(Shortened(header.fields[i]));
            return result;
        }
        if (result.index[column]) {
            result.error = QStringLiteral("la colonne « %1 » apparaît deux fois.").arg(Shortened(header.fields[i]));
            return result;
        }
        result.index[column] = i;
    }
    if (!result.index[static_cast<std::size_t>(Column::Fichier)])
        result.error = QStringLiteral("il manque la colonne « fichier », qui nomme le PDF de chaque ligne.");
    return result;
}

std::vector<RowResult> ReadRows(const Header &header, const std::vector<CsvRecord> &records)
{
    std::vector<RowResult> results;
    std::map<QString, int> lineOfFile;
    const std::size_t width = header.columns;
    for (const CsvRecord &record : records) {
        RowResult &result = results.emplace_back();
        BatchRow &row = result.row;
        row.line = record.line;
        auto fail = [&](const QString &reason) { result.error = LineError(record.line, reason); };
        // A shorter row leaves its last cells empty; a longer one has a separator where none was
        // meant, and every value after it would land in the wrong column.
        if (record.fields.size() > width) {
            fail(QStringLiteral("%1 champs pour %2 colonnes ; mettez entre guillemets un texte qui contient le "
                                "séparateur.")
                     .arg(record.fields.size())
                     .arg(width));
            continue;
        }
        auto cell = [&](Column column) {
            const auto index = header.index[static_cast<std::size_t>(column)];
            return index && *index < record.fields.size() ? record.fields[*index] : QString();
        };

        row.fileName = WithoutBidiMarks(cell(Column::Fichier)).trimmed();
        if (const QString error = FileNameError(row.fileName); !error.isEmpty()) {
            fail(error);
            continue;
        }
        if (!row.fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            row.fileName += QLatin1String(".pdf");

        if (const QString year = cell(Column::Annee).trimmed(); !year.isEmpty()) {
            bool number = false;
            const int value = year.toInt(&number);
            if (!number || value < COleDateTime::kMinYear || value > COleDateTime::kMaxYear) {
                fail(QStringLiteral("année invalide « %1 » : donnez un nombre entre %2 et %3.")
                         .arg(Shortened(year))
                         .arg(COleDateTime::kMinYear)
                         .arg(COleDateTime::kMaxYear));
                continue;
            }
            row.year = value;
        }
        if (const QString layout = cell(Column::Disposition).trimmed(); !layout.isEmpty()) {
            row.mode = DisplayModeFromName(layout.toLower().toStdString());
            if (!row.mode) {
                fail(QStringLiteral("disposition inconnue « %1 » (%2).")
                         .arg(Shortened(layout), QLatin1String(LayoutNameList())));
                continue;
            }
        }
        row.pub1 = WithoutBidiMarks(cell(Column::Pub1));
        row.pub2 = WithoutBidiMarks(cell(Column::Pub2));
        row.image1 = cell(Column::Image1).trimmed();
        row.image2 = cell(Column::Image2).trimmed();
        for (std::size_t i = 0; i < kMonthPhotoColumns; ++i)
            row.monthImages[i] = cell(static_cast<Column>(static_cast<std::size_t>(Column::Couverture) + i)).trimmed();
        row.photosFolder = cell(static_cast<Column>(kPhotosColumn)).trimmed();
        // The region is a canton or a province when the row names Switzerland or Canada.
        const std::string region = Shortened(cell(Column::Region).trimmed()).toLower().toStdString();
        const std::string country = Shortened(cell(Column::Pays).trimmed()).toStdString();
        const model::PlaceRequest place =
            model::RequestPlace(country.empty() ? std::nullopt : std::optional<std::string_view>(country),
                                region.empty() ? std::nullopt : std::optional<std::string_view>(region));
        if (!place.error.empty()) {
            fail(QString::fromStdString(place.error));
            continue;
        }
        row.region = place.region;
        row.place = place.place;

        const auto [earlier, added] = lineOfFile.emplace(row.fileName, row.line);
        if (!added)
            fail(QStringLiteral("le fichier « %1 » est déjà celui de la ligne %2.")
                     .arg(Shortened(row.fileName))
                     .arg(earlier->second));
    }
    return results;
}

} // namespace batch
