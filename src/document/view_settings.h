#pragma once

#include <QString>

// The layouts, with the numbers under which the display mode is stored. The photo calendar is
// not stored in Affichage, which older versions read: it has a key of its own (CalendrierPhoto).
enum class DisplayMode : int {
    Vertical = 1,
    Horizontal = 2,
    HorizontalPhoto = 3,
    VerticalPhoto = 4,
    HorizontalLargeCells = 5,
    // A cover and a page a month, each with its photo.
    PhotoMonths = 6,
};

// Any stored number outside 2..5 means Vertical.
constexpr DisplayMode DisplayModeFromStored(int stored)
{
    return stored >= 2 && stored <= 5 ? static_cast<DisplayMode>(stored) : DisplayMode::Vertical;
}

// A layout by its number, the photo calendar's included: what the command line hands on.
constexpr DisplayMode DisplayModeOfNumber(int number)
{
    return number == static_cast<int>(DisplayMode::PhotoMonths) ? DisplayMode::PhotoMonths
                                                                : DisplayModeFromStored(number);
}

constexpr int PageCount(DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Vertical:
        return 1;
    case DisplayMode::HorizontalLargeCells:
        return 12;
    case DisplayMode::PhotoMonths:
        return 13;
    default:
        return 2;
    }
}

constexpr bool IsPortrait(DisplayMode mode)
{
    return mode == DisplayMode::Vertical || mode == DisplayMode::VerticalPhoto || mode == DisplayMode::PhotoMonths;
}

// The pages that show one month each: the large cells, the photo calendar after its cover.
constexpr bool IsMonthPaging(DisplayMode mode)
{
    return mode == DisplayMode::HorizontalLargeCells || mode == DisplayMode::PhotoMonths;
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
    // The last of the five stored layouts, which Affichage keeps while the photo calendar is shown.
    DisplayMode storedLayout = DisplayMode::Vertical;
    int page = 1;

    // Shows `layout`; Affichage keeps the last of the five while the photo calendar is shown.
    void SetMode(DisplayMode layout)
    {
        mode = layout;
        if (layout != DisplayMode::PhotoMonths)
            storedLayout = layout;
    }

    void LoadViewSettings();
    void SaveViewSettings() const;
};
