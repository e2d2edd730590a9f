#include "almanac/name_days.h"

#include <QFile>
#include <QStringList>

#include <array>

namespace almanac {

namespace {

constexpr int kDaysPerMonth = 31;
struct NameForms {
    QString full;
    QString shortForm;
};
using NameTable = std::array<NameForms, 12 * kDaysPerMonth>;

// The table is the project's own file, "MM-DD<TAB>name" lines in UTF-8, a long name followed by
// "<TAB>short form"; a line of any other shape is left out rather than misplaced.
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
        const QStringList forms = line.mid(6).split(QLatin1Char('\t'));
        table[static_cast<std::size_t>((month - 1) * kDaysPerMonth + day - 1)] = {forms.value(0).trimmed(),
                                                                                  forms.value(1).trimmed()};
    }
    return table;
}

const NameForms &Forms(int month, int day)
{
    static const NameTable table = ReadNameTable();
    static const NameForms none;
    if (month < 1 || month > 12 || day < 1 || day > kDaysPerMonth)
        return none;
    return table[static_cast<std::size_t>((month - 1) * kDaysPerMonth + day - 1)];
}

} // namespace

QString NameDay(int month, int day)
{
    return Forms(month, day).full;
}

QString NameDayShortForm(int month, int day)
{
    return Forms(month, day).shortForm;
}

} // namespace almanac
