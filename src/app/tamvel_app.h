#pragma once

#include "document/app_settings.h"
#include "document/tamvel_doc.h"

#include <functional>
#include <optional>

// The application object without any widget: the application-wide values, the one document and
// the commands that change the year. The main window and the command line both drive it.
class CTamvelApp
{
public:
    // Command ids of the year commands.
    static constexpr int ID_NEXT_YEAR = 32790;
    static constexpr int ID_PREVIOUS_YEAR = 32791;

    CTamvelApp();
    CTamvelApp(const CTamvelApp &) = delete;
    CTamvelApp &operator=(const CTamvelApp &) = delete;

    // Start-up: the advertising lines, the colours, the region and the country (or `region` and
    // `place` for this run), then the first document for `year`, or for the year of the local
    // clock when none is given. Choose the settings file before.
    bool InitInstance(std::optional<int> year = std::nullopt, std::optional<model::Region> region = std::nullopt,
                      std::optional<model::Place> place = std::nullopt);

    // Sets Annee and runs the new-document step: the one document is emptied and reads that
    // year. Also what the year dialog (on OK) and the image-names dialog (same year) call.
    bool OpenYear(int year);
    // The new-document step for the year already shown.
    bool OnFileNew() { return OpenYear(Settings.Annee); }
    // 32790 and 32791: one year forward or back, without bound (no date of a year outside
    // 100..9999 is valid, so such a year simply shows no day).
    bool OnNextYear();
    bool OnPreviousYear();
    // Runs a command carried by the application; false when the id is not one of them.
    bool OnCommand(int id);

    // The year of the local clock.
    static int ClockYear();

    // Annee, Pub1, Pub2 and the colours; the dialogs change them and call their Save* at once.
    AppSettings Settings;
    // The one document; it reads Settings.Annee. Its LoadImages and UpdateAllViews callbacks are
    // set by whoever shows it.
    CTamvelDoc Document;
    // Called after every new-document step, so that the window can retitle and repaint.
    std::function<void()> DocumentChanged;
};
