#include "app/tamvel_app.h"

#include "model/ole_date_time.h"

#include <chrono>
#include <limits>

CTamvelApp::CTamvelApp() : Document(Settings) {}

bool CTamvelApp::InitInstance(std::optional<int> year, std::optional<model::Region> region,
                              std::optional<model::Place> place)
{
    Settings.LoadPubSettings();
    Settings.LoadColorSettings();
    Settings.LoadRegionSetting();
    if (region)
        Settings.Region = *region;
    if (place)
        Settings.Pays = *place;
    return OpenYear(year.value_or(ClockYear()));
}

bool CTamvelApp::OpenYear(int year)
{
    Settings.Annee = year;
    const bool built = Document.OnNewDocument();
    if (DocumentChanged)
        DocumentChanged();
    return built;
}

bool CTamvelApp::OnNextYear()
{
    const int year = Settings.Annee;
    return OpenYear(year < std::numeric_limits<int>::max() ? year + 1 : year);
}

bool CTamvelApp::OnPreviousYear()
{
    const int year = Settings.Annee;
    return OpenYear(year > std::numeric_limits<int>::min() ? year - 1 : year);
}

bool CTamvelApp::OnCommand(int id)
{
    switch (id) {
    case ID_NEXT_YEAR:
        OnNextYear();
        return true;
    case ID_PREVIOUS_YEAR:
        OnPreviousYear();
        return true;
    default:
        return false;
    }
}

int CTamvelApp::ClockYear()
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    if (now.GetStatus() == COleDateTime::valid)
        return now.GetYear();
    // Outside the date value's range the plain calendar year still tells where we are.
    const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return static_cast<int>(today.year());
}
