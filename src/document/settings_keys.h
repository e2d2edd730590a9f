#pragma once

#include <QString>

// The key paths of the settings tree; the year is always written with four digits.
namespace settings_keys {

inline QString Settings()
{
    return QStringLiteral("Software\\Varnel\\Tamvel\\Settings");
}

// Per-year option: LundiPentecote.
inline QString YearSettings(int year)
{
    return QString::asprintf("Software\\Varnel\\Tamvel\\Settings\\%04d", year);
}

// Per-year image file names: Image1, Image2.
inline QString Year(int year)
{
    return QString::asprintf("Software\\Varnel\\Tamvel\\%04d", year);
}

// The year's particular days: Nb, Date%d, Libelle%d.
inline QString YearParticularDays(int year)
{
    return QString::asprintf("Software\\Varnel\\Tamvel\\%04d\\FERIE", year);
}

// School holidays imported from the ministry: Periode%d = "YYYY-MM-DD YYYY-MM-DD zone name".
inline QString SchoolHolidays()
{
    return QStringLiteral("Software\\Varnel\\Tamvel\\VacancesScolaires");
}

} // namespace settings_keys
