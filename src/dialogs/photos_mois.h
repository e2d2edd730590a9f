#pragma once

#include "document/month_photos.h"

#include <QDialog>

#include <array>

class CTamvelDoc;
class QLabel;
class QLineEdit;
class QPushButton;

// "Photos des mois": the photo calendar's cover and twelve months, each with its thumbnail and
// its browse button, read from the year's settings and written back on OK. "Remplir depuis un
// dossier..." takes a folder's images in name order, the cover first. Thumbnails are decoded in
// the background, small: the dialog never waits for a large photo.
class CPhotosMois : public QDialog
{
    Q_OBJECT

public:
    CPhotosMois(int year, QWidget *parent = nullptr);

    QLineEdit *NameEdit(int index) const { return rows_[static_cast<std::size_t>(index)].edit; }
    QPushButton *BrowseButton(int index) const { return rows_[static_cast<std::size_t>(index)].browse; }
    QPushButton *FillButton() const { return fill_; }
    // Whether photo `index` shows a thumbnail now.
    bool HasThumbnail(int index) const;

    void OnBrowse(int index);
    void OnFillFromFolder();
    void accept() override;

signals:
    // A thumbnail arrived: lets tests wait for it.
    void ThumbnailShown(int index);

private:
    struct Row {
        QLabel *thumbnail = nullptr;
        QLineEdit *edit = nullptr;
        QPushButton *browse = nullptr;
        int request = 0; // drops thumbnails of names replaced meanwhile
    };
    void ShowThumbnail(int index);

    int year_;
    std::array<Row, month_photos::kCount> rows_;
    QPushButton *fill_ = nullptr;
};
