#pragma once

#include <QString>

// The five layouts, with the numbers under which the display mode is stored.
enum class DisplayMode : int {
    Vertical = 1,
    Horizontal = 2,
    HorizontalPhoto = 3,
    VerticalPhoto = 4,
    HorizontalLargeCells = 5,
};

// Any stored number outside 2..5 means Vertical.
constexpr DisplayMode DisplayModeFromStored(int stored)
{
    return stored >= 2 && stored <= 5 ? static_cast<DisplayMode>(stored) : DisplayMode::Vertical;
}

constexpr int PageCount(DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Vertical:
        return 1;
    case DisplayMode::HorizontalLargeCells:
        return 12;
    default:
        return 2;
    }
}

constexpr bool IsPortrait(DisplayMode mode)
{
    return mode == DisplayMode::Vertical || mode == DisplayMode::VerticalPhoto;
}

// How the calendar is shown: mode, toggles (0 off, 1 on, as stored) and the current page.
// The page is never stored; the rest is read and written under Software\Varnel\Tamvel\Settings.
struct ViewState {
    DisplayMode mode = DisplayMode::Vertical;
    int Sem = 1;
    int NonTrav = 1;
    int Ferie = 1;
    int FerieParticulier = 0;
    int GrosTrait = 1;
    int PhotoBas = 1;
    int PubVisible = 0;
    // Photos cut to their frame's proportions instead of stretched to it.
    int RecadrerPhotos = 0;
    // The almanac: the name to wish on each day, the phases of the moon.
    int FetesVisible = 0;
    int LuneVisible = 0;
    // The letters of the school zones whose holidays are shown ("AC"); none by default.
    QString VacancesZones;
    int page = 1;

    void LoadViewSettings();
    void SaveViewSettings() const;
};
