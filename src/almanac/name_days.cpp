#include "almanac/name_days.h"

#include <QFile>

#include <array>

namespace almanac {

namespace {

constexpr int kDaysPerMonth = 31;
using NameTable = std::array<QString, 12 * kDaysPerMonth>;

// The table is the project's own file, "MM-DD<TAB>name" lines in UTF-8; a line of any other
// shape is left out rather than misplaced.
NameTable ReadNameTable()
{
    NameTable table;
    QFile file(QStringLiteral(":/almanac/fetes.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        bool monthRead = false;
        bool dayRead = false;
        const int month = line.left(2).toInt(&monthRead);
        const int day = line.mid(3, 2).toInt(&dayRead);
        if (!monthRead || !dayRead || line.indexOf(QLatin1Char('\t')) != 5 || month < 1 || month > 12 || day < 1 ||
            day > kDaysPerMonth)
            continue;
        table[static_cast<std::size_t>((month - 1) * kDaysPerMonth + day - 1)] = line.mid(6).trimmed();
    }
    return table;
}

} // namespace

QString NameDay(int month, int day)
{
    static const NameTable table = ReadNameTable();
    if (month < 1 || month > 12 || day < 1 || day > kDaysPerMonth)
        return {};
    return table[static_cast<std::size_t>((month - 1) * kDaysPerMonth + day - 1)];
}

} // namespace almanac
