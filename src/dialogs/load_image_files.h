#pragma once

#include "document/month_photos.h"
#include "images/image_loader.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>
#include <QThreadPool>

#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

class CTamvelDoc;
class QLabel;

// "Chargement des images en cours..." under the document's title, shown beside the window while
// its photos decode. It takes no focus and blocks nothing: the window stays usable. Escape does
// not close it, but quitting the program does.
class CLoadImageFiles : public QDialog
{
    Q_OBJECT

public:
    CLoadImageFiles(const CTamvelDoc &doc, QWidget *parent);

    // "Année N" of the year now loading.
    void SetTitle(const QString &title);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *title_ = nullptr;
};

// Decodes the document's two photos and the photo calendar's thirteen off the interface thread (one task each; each
// decoder is single-threaded) on threads of its own: Qt's painting on the interface thread borrows threads of the
// global pool and would wait for a decode to end, leaving windows unpainted. Then, back on the interface thread, puts
// them in their slots, repaints, and shows their messages one by one, image 1's first. A new start stops the decodes of
// the one before and drops their results: a year left while its photos decoded never shows them, nor keeps the
// processor busy.
class PhotoLoader : public QObject
{
    Q_OBJECT

public:
    // Loads one photo; gives up early, with nothing, once a stop is requested.
    using Decoder = std::function<PhotoLoad(const QString &path, std::stop_token stop)>;
    // Loads photo `index` of the photo calendar, the same way.
    using MonthDecoder = std::function<PhotoLoad(const QString &path, int index, std::stop_token stop)>;

    // `window` shows the progress dialog while it is visible; may be null.
    PhotoLoader(CTamvelDoc &doc, QWidget *window, Decoder decode = LoadPhotoFile,
                MonthDecoder decodeMonth = month_photos::Load);
    // Stops the decodes under way and waits for them to let go.
    ~PhotoLoader() override;

    // The document's LoadImages in the window.
    void Start();
    // Blocks until the photos of the last start are in place; at once when there are none.
    void Wait();
    bool Busy() const { return busy_; }

signals:
    // The photos of the last start are in their slots (their messages follow).
    void Delivered();

private:
    void Deliver();
    // Puts photo `index` (0 and 1 the two photos, then the cover and the months) in its slot as
    // soon as it is decoded, so that a page does not wait for the others; true when it holds one.
    bool Place(int index);

    CTamvelDoc &doc_;
    QPointer<QWidget> window_;
    Decoder decode_;
    MonthDecoder decodeMonth_;
    std::vector<bool> placed_;
    std::stop_source stop_;
    QThreadPool pool_;
    QFutureWatcher<PhotoLoad> watcher_;
    QPointer<CLoadImageFiles> progress_;
    std::uint64_t generation_ = 0;
    bool busy_ = false;
};
