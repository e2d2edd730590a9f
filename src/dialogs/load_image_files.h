#pragma once

#include "images/image_loader.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>

#include <cstdint>

class CTamvelDoc;

// "Chargement des images en cours..." under the document's title, shown beside the window while
// its photos decode. It takes no focus and blocks nothing: the window stays usable.
class CLoadImageFiles : public QDialog
{
    Q_OBJECT

public:
    CLoadImageFiles(const CTamvelDoc &doc, QWidget *parent);

    void reject() override;
};

// Decodes the document's two photos off the interface thread (one task each; each decoder is
// single-threaded), then, back on the interface thread, puts them in their slots, repaints, and
// shows their messages one by one, image 1's first. A new start drops the results of the one
// before: a year left while its photos decoded never shows them.
class PhotoLoader : public QObject
{
    Q_OBJECT

public:
    // `window` shows the progress dialog while it is visible; may be null.
    PhotoLoader(CTamvelDoc &doc, QWidget *window);
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

    CTamvelDoc &doc_;
    QPointer<QWidget> window_;
    QFutureWatcher<PhotoLoad> watcher_;
    QPointer<CLoadImageFiles> progress_;
    std::uint64_t generation_ = 0;
    bool busy_ = false;
};
