#pragma once

#include <QDialog>

class CTamvelDoc;

// Shows "Chargement des images en cours..." under the document's title while its two images
// load: the first tick of a short timer loads image 1 then image 2, once, and closes the dialog.
class CLoadImageFiles : public QDialog
{
    Q_OBJECT

public:
    CLoadImageFiles(CTamvelDoc &doc, QWidget *parent);

    // The timer's tick. The loading's own message boxes let later ticks through: they must
    // not load again.
    void OnTimer();

    void reject() override;

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    CTamvelDoc &doc_;
    int timerId_ = 0;
    bool loaded_ = false;
};

// Loads the document's images behind the progress dialog.
void LoadImagesWithProgress(CTamvelDoc &doc, QWidget *parent);
