#pragma once

#include <QIcon>

class QPainter;
class QRectF;

namespace resources {

// The pictures of the toolbar buttons and of the program.
enum class IconKind {
    None,
    PreviousYear,
    NewYear,
    NextYear,
    LoadImages,
    PrintPreview,
    Print,
    Vertical,
    Horizontal,
    VerticalPhoto,
    HorizontalPhotoBottom,
    HorizontalPhotoTop,
    LargeCells,
    PhotoMonths,
    PreviousPage,
    NextPage,
    Program,
};

// An icon drawn in code at whatever size and pixel density it is asked for; a null icon for None.
QIcon MakeIcon(IconKind kind);
// The program's icon, a small calendar page: the icon theme's when installed, else drawn.
QIcon ProgramIcon();

// Draws the picture into the rectangle (a 16 x 16 design scaled to it).
void PaintIcon(QPainter &painter, IconKind kind, const QRectF &rect);

} // namespace resources
