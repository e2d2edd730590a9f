#pragma once

#include "batch/csv_table.h"
#include "document/view_settings.h"
#include "model/country.h"
#include "model/region.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace batch {

// The columns a batch file may have; `fichier` is the only required one.
enum class Column { Fichier, Annee, Disposition, Pub1, Pub2, Image1, Image2, Region, Pays, Couverture, Mois1 };
// Couverture, mois1 to mois12, then photos: the photo calendar's.
constexpr std::size_t kMonthPhotoColumns = 13;
constexpr std::size_t kPhotosColumn = static_cast<std::size_t>(Column::Couverture) + kMonthPhotoColumns;
constexpr std::size_t kColumnCount = kPhotosColumn + 1;

// Where each column sits in the records (nothing for an absent column), or why the header line
// is refused.
struct Header {
    std::array<std::optional<std::size_t>, kColumnCount> index;
    std::size_t columns = 0;
    QString error;
};

// Column names in any case, "année" as well as "annee".
Header ReadHeader(const CsvRecord &header);

// One calendar to make: what the row sets over the stored settings. An empty text and an absent
// value keep the stored one.
struct BatchRow {
    int line = 0;
    QString fileName; // inside the output folder, ".pdf" at the end
    std::optional<int> year;
    std::optional<DisplayMode> mode;
    QString pub1;
    QString pub2;
    QString image1;
    QString image2;
    std::optional<model::Region> region;
    std::optional<model::Place> place; // from `pays`, or France for a French region
    // The photo calendar's: a folder whose images fill the cover then the months, in name order,
    // and the photos named one by one, which win over it.
    QString photosFolder;
    std::array<QString, kMonthPhotoColumns> monthImages;
};

// A row, or the French sentence that refuses it ("ligne 4 : ...").
struct RowResult {
    BatchRow row;
    QString error;
};

// Every record after the header, in file order. A row naming the same file as an earlier one is
// refused.
std::vector<RowResult> ReadRows(const Header &header, const std::vector<CsvRecord> &records);

} // namespace batch
