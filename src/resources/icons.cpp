#include "resources/icons.h"

#include "resources/build_info.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace resources {

namespace {

const QColor kOutline(0x30, 0x30, 0x30);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kHeader(0xc8, 0x32, 0x32);
const QColor kColumn(0x80, 0x80, 0x80);
const QColor kSky(0x5a, 0xa0, 0xe6);
const QColor kHill(0x3c, 0x9a, 0x3c);
const QColor kSun(0xf0, 0xc0, 0x20);
const QColor kArrow(0x1f, 0x5f, 0xbf);

// All drawing happens on a 16 x 16 grid; a cell (x, y, w, h) covers whole grid squares, so a
// one-unit outline sits on the half coordinates and stays sharp at 16, 32 and 48 pixels.
void Box(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &fill, const QColor &line = kOutline)
{
    p.fillRect(QRectF(x, y, w, h), fill);
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void Fill(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &colour)
{
    p.fillRect(QRectF(x, y, w, h), colour);
}

void Polygon(QPainter &p, const QPolygonF &points, const QColor &fill, const QColor &line = kOutline)
{
    p.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPolygon(points);
}

// A wall-calendar sheet: red header band and a grid of day dots.
void Calendar(QPainter &p, qreal x, qreal y, qreal w, qreal h)
{
    Box(p, x, y, w, h, kPaper);
    Fill(p, x + 1, y + 1, w - 2, 3, kHeader);
    for (qreal cy = y + 5; cy < y + h - 1; cy += 2)
        for (qreal cx = x + 2; cx < x + w - 2; cx += 2)
            Fill(p, cx, cy, 1, 1, kColumn);
}

// Columns of day cells: a header band and vertical rules.
void Columns(QPainter &p, qreal x, qreal y, qreal w, qreal h, int count)
{
    Fill(p, x, y, w, 1, kHeader);
    const qreal step = w / count;
    for (int i = 1; i < count; ++i)
        Fill(p, std::round(x + i * step), y, 1, h, kColumn);
    for (qreal cy = y + 2; cy < y + h; cy += 2)
        Fill(p, x, cy, w, 0.5, QColor(0xc8, 0xc8, 0xc8));
}

// A small landscape photograph: sky, sun and a green hill.
void Photo(QPainter &p, qreal x, qreal y, qreal w, qreal h)
{
    Fill(p, x, y, w, h, kSky);
    p.setPen(Qt::NoPen);
    p.setBrush(kSun);
    const qreal r = std::min(w, h) * 0.22;
    p.drawEllipse(QPointF(x + w * 0.75, y + h * 0.32), r, r);
    QPainterPath hill;
    hill.moveTo(x, y + h);
    hill.lineTo(x, y + h * 0.7);
    hill.lineTo(x + w * 0.35, y + h * 0.35);
    hill.lineTo(x + w * 0.6, y + h * 0.65);
    hill.lineTo(x + w * 0.75, y + h * 0.5);
    hill.lineTo(x + w, y + h * 0.8);
    hill.lineTo(x + w, y + h);
    hill.closeSubpath();
    p.setBrush(kHill);
    p.drawPath(hill);
}

void ArrowLeft(QPainter &p, qreal tipX, qreal midY, qreal length)
{
    Polygon(p,
            {{tipX, midY},
             {tipX + 4.5, midY - 4.5},
             {tipX + 4.5, midY - 2},
             {tipX + length, midY - 2},
             {tipX + length, midY + 2},
             {tipX + 4.5, midY + 2},
             {tipX + 4.5, midY + 4.5}},
            kArrow, QColor(0x10, 0x30, 0x70));
}

void ArrowRight(QPainter &p, qreal tipX, qreal midY, qreal length)
{
    Polygon(p,
            {{tipX, midY},
             {tipX - 4.5, midY - 4.5},
             {tipX - 4.5, midY - 2},
             {tipX - length, midY - 2},
             {tipX - length, midY + 2},
             {tipX - 4.5, midY + 2},
             {tipX - 4.5, midY + 4.5}},
            kArrow, QColor(0x10, 0x30, 0x70));
}

void Star(QPainter &p, qreal cx, qreal cy, qreal r)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? r : r * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    Polygon(p, points, kSun, QColor(0x90, 0x60, 0x00));
}

void Portrait(QPainter &p)
{
    Box(p, 2, 0, 12, 16, kPaper);
}

void Landscape(QPainter &p)
{
    Box(p, 0, 2, 16, 12, kPaper);
}

// The program's icon, a wall-calendar sheet: red header, two binding rings, a grid of days with
// one red holiday. Drawn in vectors for every size up to 256 pixels; the sheet's edges, the
// header and the day cells fall on whole units of the 16 x 16 grid, so that they stay sharp, and
// the picture readable, at 16 pixels.
void ProgramDesign(QPainter &p)
{
    const QColor edge(0x3a, 0x3a, 0x3a);
    const QColor day(0x78, 0x78, 0x78);
    const QColor ring(0xb4, 0xb4, 0xb4);
    const QRectF sheet(1, 2, 14, 14);
    QPainterPath page;
    page.addRoundedRect(sheet.adjusted(0.375, 0.375, -0.375, -0.375), 1.25, 1.25);

    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawPath(page);
    QPainterPath band;
    band.addRect(QRectF(1, 2, 14, 4));
    p.setBrush(kHeader);
    p.drawPath(page.intersected(band));
    // A thin darker line under the header, as on a printed calendar.
    p.setBrush(QColor(0x96, 0x1e, 0x1e));
    p.drawRect(QRectF(1.375, 5.625, 13.25, 0.375));

    // Four weeks of days; the holiday in red.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const bool holiday = row == 1 && column == 2;
            p.setBrush(holiday ? kHeader : day);
            p.drawRoundedRect(QRectF(3 + 3 * column, 7.5 + 2.75 * row, 2, 1.75), 0.25, 0.25);
        }
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 0.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(page);

    // The rings: each goes through a hole punched in the header.
    for (const qreal x : {4.0, 10.0}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x50, 0x10, 0x10));
        p.drawEllipse(QRectF(x + 0.25, 3.25, 1.5, 1.5));
        p.setPen(QPen(edge, 0.5));
        p.setBrush(ring);
        p.drawRoundedRect(QRectF(x + 0.5, 0.5, 1, 4), 0.5, 0.5);
    }
}

void PaintDesign(QPainter &p, IconKind kind)
{
    switch (kind) {
    case IconKind::None:
        break;
    case IconKind::PreviousYear:
        Calendar(p, 5, 1, 11, 14);
        ArrowLeft(p, 0.5, 9, 9);
        break;
    case IconKind::NextYear:
        Calendar(p, 0, 1, 11, 14);
        ArrowRight(p, 15.5, 9, 9);
        break;
    case IconKind::NewYear:
        Calendar(p, 1, 1, 14, 14);
        Star(p, 11, 11, 4.5);
        break;
    case IconKind::LoadImages:
        Box(p, 0, 2, 16, 12, QColor(0xe8, 0xd8, 0xb0), QColor(0x60, 0x40, 0x20));
        Photo(p, 2, 4, 12, 8);
        break;
    case IconKind::Print:
        Box(p, 4, 0, 8, 7, kPaper);
        Box(p, 0, 6, 16, 7, QColor(0xb0, 0xb0, 0xb0));
        Fill(p, 12, 8, 2, 1, QColor(0x20, 0xc0, 0x20));
        Box(p, 3, 11, 10, 5, kPaper);
        Fill(p, 5, 13, 6, 1, kColumn);
        break;
    case IconKind::PrintPreview: {
        Box(p, 1, 0, 11, 14, kPaper);
        for (int y = 3; y < 12; y += 2)
            Fill(p, 3, y, 7, 1, kColumn);
        p.setPen(QPen(QColor(0x50, 0x30, 0x10), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(15, 15));
        p.setPen(QPen(kOutline, 1.2));
        p.setBrush(QColor(0xc0, 0xe0, 0xff, 0xc0));
        p.drawEllipse(QPointF(9.5, 9.5), 3.6, 3.6);
        break;
    }
    case IconKind::Vertical:
        Portrait(p);
        Columns(p, 3, 1, 10, 6, 6);
        Columns(p, 3, 8, 10, 7, 6);
        break;
    case IconKind::Horizontal:
        Landscape(p);
        Columns(p, 1, 3, 14, 10, 6);
        break;
    case IconKind::VerticalPhoto:
        Portrait(p);
        Photo(p, 3, 1, 10, 7);
        Columns(p, 3, 9, 10, 6, 6);
        break;
    case IconKind::HorizontalPhotoBottom:
        Landscape(p);
        Columns(p, 1, 3, 14, 6, 6);
        Photo(p, 4, 9, 8, 4);
        break;
    case IconKind::HorizontalPhotoTop:
        Landscape(p);
        Photo(p, 4, 3, 8, 4);
        Columns(p, 1, 7, 14, 6, 6);
        break;
    case IconKind::LargeCells:
        Landscape(p);
        Fill(p, 1, 3, 14, 2, kHeader);
        for (int x = 3; x < 15; x += 2)
            Fill(p, x, 5, 1, 8, kColumn);
        for (int y = 7; y < 13; y += 2)
            Fill(p, 1, y, 14, 1, kColumn);
        break;
    case IconKind::PhotoMonths:
        // A portrait page: the month's photo over its grid of large cells.
        Portrait(p);
        Photo(p, 3, 1, 10, 7);
        for (int x = 5; x < 13; x += 2)
            Fill(p, x, 9, 1, 6, kColumn);
        for (int y = 11; y < 15; y += 2)
            Fill(p, 3, y, 10, 1, kColumn);
        break;
    case IconKind::PreviousPage:
        Box(p, 6, 0, 10, 16, kPaper);
        for (int y = 3; y < 14; y += 2)
            Fill(p, 8, y, 6, 1, kColumn);
        ArrowLeft(p, 0.5, 8, 10);
        break;
    case IconKind::NextPage:
        Box(p, 0, 0, 10, 16, kPaper);
        for (int y = 3; y < 14; y += 2)
            Fill(p, 2, y, 6, 1, kColumn);
        ArrowRight(p, 15.5, 8, 10);
        break;
    case IconKind::Program:
        ProgramDesign(p);
        break;
    }
}

class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(IconKind kind) : kind_(kind) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        if (mode != QIcon::Disabled) {
            PaintIcon(*painter, kind_, rect);
            return;
        }
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QImage image = DisabledImage(rect.size() * ratio);
        painter->drawImage(rect, image);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const QSize pixels = size * scale;
        QImage image;
        if (mode == QIcon::Disabled) {
            image = DisabledImage(pixels);
        } else {
            image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            PaintIcon(painter, kind_, QRectF(QPointF(0, 0), pixels));
        }
        QPixmap pixmap = QPixmap::fromImage(std::move(image));
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new DrawnIconEngine(kind_); }
    QString key() const override { return QStringLiteral("tamvel-drawn"); }
    bool isNull() override { return kind_ == IconKind::None; }

private:
    // Gray and faint, as a disabled button should look.
    QImage DisabledImage(const QSize &pixels) const
    {
        QImage image(pixels, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            PaintIcon(painter, kind_, QRectF(QPointF(0, 0), pixels));
        }
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int gray = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(gray, gray, gray, qAlpha(line[x]) * 2 / 5);
            }
        }
        return image;
    }

    IconKind kind_;
};

} // namespace

void PaintIcon(QPainter &painter, IconKind kind, const QRectF &rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 16.0, rect.height() / 16.0);
    PaintDesign(painter, kind);
    painter.restore();
}

QIcon MakeIcon(IconKind kind)
{
    if (kind == IconKind::None)
        return QIcon();
    return QIcon(new DrawnIconEngine(kind));
}

QIcon ProgramIcon()
{
    // Installed, the theme's icon (made from this same drawing) is the one the desktop shows in its
    // menus; from the build tree there is none and the drawing serves directly.
    return QIcon::fromTheme(QLatin1String(kApplicationId), MakeIcon(IconKind::Program));
}

} // namespace resources
