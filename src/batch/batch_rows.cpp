#include "batch/batch_rows.h"

#include "document/layout_names.h"
#include "model/ole_date_time.h"

#include <map>

namespace batch {

namespace {

constexpr std::array<const char *, kColumnCount> kColumnNames = {
    "fichier",    "annee", "disposition", "pub1",   "pub2",   "image1", "image2", "region",
    "couverture", "mois1", "mois2",       "mois3",  "mois4",  "mois5",  "mois6",  "mois7",
    "mois8",      "mois9", "mois10",      "mois11", "mois12", "photos"};

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

QString FileNameError(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("la colonne fichier est vide.");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1String("..")))
        return QStringLiteral("nom de fichier « %1 » refusé : ni « / » ni « .. », le PDF s'écrit dans le dossier de "
                              "sortie.")
            .arg(name);
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("nom de fichier « %1 » refusé : il contient un caractère de contrôle.").arg(name);
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
                                          "pub1, pub2, image1, image2, region, couverture, mois1 à mois12, photos).")
                               .arg(header.fields[i]);
            return result;
        }
        if (result.index[column]) {
            result.error = QStringLiteral("la colonne « %1 » apparaît deux fois.").arg(header.fields[i]);
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

        row.fileName = cell(Column::Fichier).trimmed();
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
                         .arg(year)
                         .arg(COleDateTime::kMinYear)
                         .arg(COleDateTime::kMaxYear));
                continue;
            }
            row.year = value;
        }
        if (const QString layout = cell(Column::Disposition).trimmed(); !layout.isEmpty()) {
            row.mode = DisplayModeFromName(layout.toLower().toStdString());
            if (!row.mode) {
                fail(QStringLiteral("disposition inconnue « %1 » (%2).").arg(layout, QLatin1String(LayoutNameList())));
                continue;
            }
        }
        row.pub1 = cell(Column::Pub1);
        row.pub2 = cell(Column::Pub2);
        row.image1 = cell(Column::Image1).trimmed();
        row.image2 = cell(Column::Image2).trimmed();
        for (std::size_t i = 0; i < kMonthPhotoColumns; ++i)
            row.monthImages[i] = cell(static_cast<Column>(static_cast<std::size_t>(Column::Couverture) + i)).trimmed();
        row.photosFolder = cell(static_cast<Column>(kPhotosColumn)).trimmed();
        if (const QString region = cell(Column::Region).trimmed(); !region.isEmpty()) {
            row.region = model::RegionFromName(region.toLower().toStdString());
            if (!row.region) {
                fail(QStringLiteral("région inconnue « %1 » (%2).")
                         .arg(region, QString::fromStdString(model::RegionNames())));
                continue;
            }
        }

        const auto [earlier, added] = lineOfFile.emplace(row.fileName, row.line);
        if (!added)
            fail(QStringLiteral("le fichier « %1 » est déjà celui de la ligne %2.")
                     .arg(row.fileName)
                     .arg(earlier->second));
    }
    return results;
}

} // namespace batch
