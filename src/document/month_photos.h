#pragma once

#include "images/image_loader.h"

#include <QString>
#include <QStringList>

#include <array>
#include <stop_token>

// The photo calendar's thirteen photos: the cover, then January to December, named in the year's
// section of the settings by the keys Couverture and Mois1 to Mois12.
namespace month_photos {

constexpr int kCount = 13;
using Names = std::array<QString, kCount>;

// "Couverture" for 0, "Mois1" to "Mois12" for 1 to 12.
QString KeyName(int index);
// "Couverture", "Janvier"... as the dialog names them.
QString Title(int index);

// The names stored for `year`; empty where none is.
Names Read(int year);
// Stores the thirteen names in one change of the file; true when the file holds them afterwards.
bool Write(int year, const Names &names);

// The images of a folder that the calendar can show (".jpg", ".bmp", ".dib", in any case), in
// name order as a file manager sorts them: "2.jpg" before "10.jpg", capitals mixed in.
QStringList FolderImages(const QString &folder);
// The first thirteen of them, the cover first; the rest empty.
Names FillFromFolder(const QString &folder);

// Loads photo `index` for its frame on paper: decoded no larger than needed, cut to the frame's
// proportions and kept at 300 ppi of it at most. Callable from any thread.
PhotoLoad Load(const QString &path, int index, std::stop_token stop = {});

} // namespace month_photos
