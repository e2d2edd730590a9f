#pragma once

#include "document/app_settings.h"
#include "document/month_photos.h"
#include "images/photo.h"
#include "model/holiday_label.h"
#include "model/ole_date_time.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The one document: everything that belongs to the year shown (AppSettings::Annee), read from
// and written to the settings store. It has no file form.
class CTamvelDoc
{
public:
    explicit CTamvelDoc(const AppSettings &app) : app_(app) {}

    // Empties the document and reads the year Annee.
    bool OnNewDocument();
    void LoadParticularDays();
    // True when the settings file holds the list afterwards.
    bool SaveParticularDays();
    void SaveLundiPentecote();

    // Command 32814: toggles the Pentecost Monday option, stores it, redraws.
    void OnLundiPentecote();

    QString GetTitle() const { return title_; }
    // What the holiday lookup reads from this document.
    model::HolidayOptions HolidayOptions(bool ferieParticulier) const
    {
        return {ferieParticulier, &Dates, &Libelles, LundiPentecote != 0, app_.Region, app_.Pays};
    }

    // Parallel lists of the year's particular days; labels in UTF-8.
    std::vector<COleDateTime> Dates;
    std::vector<std::string> Libelles;
    std::int32_t LundiPentecote = 0;
    QString Image1;
    QString Image2;
    // The photographs of Image1 and Image2, ready to paint; empty when there is none.
    Photo Photo1;
    Photo Photo2;
    // Replaces image `index` (0 or 1) by the one read from Image1 or Image2, on the calling
    // thread; true when the slot holds an image afterwards. Failures are reported and leave the
    // slot empty.
    bool LoadYearImage(int index);
    // The image of a page of the photo layouts: image 1 for page 1, image 2 for page 2.
    const Photo &PageImage(int page) const { return page == 2 ? Photo2 : Photo1; }
    // The photo calendar's names (Couverture, Mois1..Mois12) and photos, the cover first.
    month_photos::Names MonthImages;
    std::array<Photo, month_photos::kCount> MonthPhotos;
    // The photo of a page of the photo calendar: the cover on page 1, month m on page m + 1.
    const Photo &MonthPage(int page) const
    {
        static const Photo none;
        return page >= 1 && page <= month_photos::kCount ? MonthPhotos[static_cast<std::size_t>(page - 1)] : none;
    }
    // Changes at every new-document step: images decoded for an earlier one are stale.
    std::uint64_t Generation() const { return generation_; }
    // Waits until images still being decoded are in their slots: printing and exports need them.
    void FinishImageLoading() const
    {
        if (WaitForImages)
            WaitForImages();
    }

    // Asks every view to redraw (UpdateAllViews); set by whoever shows the document.
    std::function<void()> UpdateAllViews;
    // Loads the two images of the year; set by the application (a progress dialog in the
    // program, a direct load on the command line). Nothing is loaded when it is empty.
    std::function<void(CTamvelDoc &)> LoadImages;
    // Set with a LoadImages that decodes in the background: waits for it to deliver.
    std::function<void()> WaitForImages;

private:
    const AppSettings &app_;
    QString title_;
    std::uint64_t generation_ = 0;
};

// The particular days stored for any year, in stored order, without creating anything.
std::vector<model::DayLabel> StoredParticularDays(int year);

// Loads image 1, image 2, then the photo calendar's photos of the document (two at a time),
// without any dialog, their messages in that order: the loader of the command line and of tests.
void LoadYearImages(CTamvelDoc &doc);
