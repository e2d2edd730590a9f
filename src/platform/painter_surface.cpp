#include "platform/painter_surface.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

QColor ToQColor(ColorRef colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

namespace {

// Windows takes any 32-bit coordinate, but Qt keeps a rectangle's width in an int: coordinates
// are held far beyond any device yet clear of overflow.
constexpr int kCoordinateLimit = 1 << 28;

int Clamp(int value)
{
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

QRect ToQRect(int left, int top, int right, int bottom)
{
    left = Clamp(left);
    top = Clamp(top);
    return QRect(left, top, Clamp(right) - left, Clamp(bottom) - top);
}

// The thinnest stroke a press prints reliably, in points.
constexpr double kThinnestRulePoints = 0.25;

// Integer rectangles handed to fillRect cover exactly their pixels on every paint engine,
// which a pen-drawn line does not (half-pixel offsets, cap styles).
void FillPixels(QPainter &painter, int left, int top, int right, int bottom, const QColor &colour)
{
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(ToQRect(left, top, right, bottom), colour);
}

int QtAlignment(unsigned flags)
{
    int alignment = (flags & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    if (flags & DT_RIGHT)
        alignment |= Qt::AlignRight;
    else if (flags & DT_CENTER)
        alignment |= Qt::AlignHCenter;
    else
        alignment |= Qt::AlignLeft;
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        alignment |= Qt::AlignVCenter;
    else
        alignment |= Qt::AlignTop;
    if (flags & DT_SINGLELINE)
        alignment |= Qt::TextSingleLine;
    return alignment;
}

} // namespace

PainterSurface::PainterSurface(QPainter &painter, int dpiX, int dpiY, bool printing, PaintCache *cache)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY), printing_(printing),
      hairlines_(painter.paintEngine() != nullptr && painter.paintEngine()->type() != QPaintEngine::Raster),
      cache_(cache)
{
    // A PDF is scaled at will by whoever prints it: its rules get a real width, where a printer's
    // hairline is the device's own thinnest line.
    if (dynamic_cast<QPdfWriter *>(painter.device()) != nullptr)
        thinnestRule_ = std::max(1, static_cast<int>(std::ceil(kThinnestRulePoints * dpiX / 72.0 - 1e-9)));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBackgroundMode(Qt::TransparentMode);
}

PainterSurface::~PainterSurface()
{
    if (painter_.isActive())
        Flush();
}

void PainterSurface::Flush()
{
    if (rules_.isEmpty())
        return;
    QPainterPath path;
    path.addRegion(rules_);
    rules_ = QRegion();
    painter_.fillPath(path.simplified(), Qt::black);
}

void PainterSurface::AddRule(int left, int top, int right, int bottom)
{
    // Grown about its middle to the thinnest printable width.
    const auto grow = [this](int &from, int &to) {
        const int missing = thinnestRule_ - (to - from);
        if (missing > 0) {
            from -= missing / 2;
            to += missing - missing / 2;
        }
    };
    grow(left, right);
    grow(top, bottom);
    rules_ += ToQRect(left, top, right, bottom);
}

double PainterSurface::DevicePixelRatio() const
{
    return painter_.device() != nullptr ? painter_.device()->devicePixelRatioF() : 1.0;
}

Font PainterSurface::SelectFont(const Font &font)
{
    Font previous = font_;
    if (!(font == font_)) {
        font_ = font;
        fontDirty_ = true;
    }
    return previous;
}

int PainterSurface::SetBkMode(int mode)
{
    const int previous = bkMode_;
    if (mode == TRANSPARENT || mode == OPAQUE)
        bkMode_ = mode;
    return previous;
}

ColorRef PainterSurface::SetTextColor(ColorRef colour)
{
    const ColorRef previous = textColour_;
    textColour_ = colour;
    return previous;
}

void PainterSurface::FillRect(const Rect &rect, ColorRef colour)
{
    Flush();
    FillPixels(painter_, rect.left, rect.top, rect.right, rect.bottom, ToQColor(colour));
}

void PainterSurface::Rectangle(const Rect &rect, ColorRef fill)
{
    Flush();
    const int left = Clamp(std::min(rect.left, rect.right));
    const int right = Clamp(std::max(rect.left, rect.right));
    const int top = Clamp(std::min(rect.top, rect.bottom));
    const int bottom = Clamp(std::max(rect.top, rect.bottom));
    FillPixels(painter_, left, top, right, bottom, Qt::black);
    FillPixels(painter_, left + 1, top + 1, right - 1, bottom - 1, ToQColor(fill));
}

namespace {

// The ellipse in box, outlined inside it as GDI's inside-frame pen keeps it, smoothed.
void PaintEllipse(QPainter &painter, const QRectF &box, ColorRef fill, EllipsePart part, int thinnest = 1)
{
    const double width = std::max<double>(thinnest, std::round(box.width() / 12.0));
    const QRectF inside = box.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, width));
    painter.setBrush(ToQColor(fill));
    // Qt's angles are sixteenths of a degree, counter-clockwise from three o'clock.
    if (part == EllipsePart::Whole)
        painter.drawEllipse(inside);
    else
        painter.drawChord(inside, (part == EllipsePart::RightHalf ? -90 : 90) * 16, 180 * 16);
}

} // namespace

void PainterSurface::Ellipse(const Rect &rect, ColorRef fill, EllipsePart part)
{
    Flush();
    const QRect box = ToQRect(rect.left, rect.top, rect.right, rect.bottom);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    if (cache_ == nullptr || hairlines_ || !painter_.transform().isIdentity()) {
        painter_.save();
        PaintEllipse(painter_, box, fill, part, std::max(1, thinnestRule_));
        painter_.restore();
        return;
    }
    // Outlining costs far more than copying the few pixels it gives.
    const QImage &image = cache_->Ellipse(box.width(), box.height(), DrawnColour(fill), part, [&] {
        QImage drawn(box.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        PaintEllipse(painter, QRectF(0, 0, box.width(), box.height()), fill, part);
        return drawn;
    });
    painter_.drawImage(box.topLeft(), image);
}

void PainterSurface::MoveTo(int x, int y)
{
    x_ = Clamp(x);
    y_ = Clamp(y);
}

void PainterSurface::LineTo(int x, int y)
{
    x = Clamp(x);
    y = Clamp(y);
    if (thinnestRule_ > 0 && (x == x_) != (y == y_)) {
        // The pixels the line covers, its end point left out, as on a screen.
        AddRule(std::min(x_, x + (x < x_)), std::min(y_, y + (y < y_)), std::max(x_ + 1, x + (x < x_)),
                std::max(y_ + 1, y + (y < y_)));
    } else if (hairlines_ && (x != x_ || y != y_)) {
        // Through the centres of the pixels the line covers, its end point left out.
        const int stepX = x > x_ ? 1 : x < x_ ? -1 : 0;
        const int stepY = y > y_ ? 1 : y < y_ ? -1 : 0;
        const QLineF line(QPointF(x_ + 0.5, y_ + 0.5), QPointF(x - stepX + 0.5, y - stepY + 0.5));
        if (thinnestRule_ > 0) {
            // A slanted line in a PDF: stroked at the thinnest printable width.
            Flush();
            painter_.save();
            painter_.setPen(QPen(Qt::black, thinnestRule_));
            painter_.drawLine(line);
            painter_.restore();
        } else {
            painter_.drawLine(line);
        }
    } else if (y == y_) {
        // The end point is left out, whichever way the line runs.
        if (x > x_)
            FillPixels(painter_, x_, y, x, y + 1, Qt::black);
        else if (x < x_)
            FillPixels(painter_, x + 1, y, x_ + 1, y + 1, Qt::black);
    } else if (x == x_) {
        if (y > y_)
            FillPixels(painter_, x, y_, x + 1, y, Qt::black);
        else
            FillPixels(painter_, x, y + 1, x + 1, y_ + 1, Qt::black);
    } else {
        // The layouts draw no slanted line; a plain cosmetic line will do.
        painter_.drawLine(x_, y_, x, y);
    }
    x_ = x;
    y_ = y;
}

void PainterSurface::DrawText(const QString &text, const Rect &rect, unsigned flags)
{
    Flush();
    if (text.isEmpty() || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    ApplyFont();
    QRect box = ToQRect(rect.left, rect.top, rect.right, rect.bottom);
    const int alignment = QtAlignment(flags);
    painter_.save();
    painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (flags & DT_CONDENSE) {
        const qreal width = QFontMetricsF(qfont_, painter_.device()).horizontalAdvance(text);
        if (width > box.width()) {
            // Laid out in a box as much wider as the text is narrowed, then squeezed back into
            // the rectangle about its left edge; the clip above stays where it was.
            const qreal narrowing = std::max(kNarrowestCondensed, box.width() / width);
            painter_.translate(box.left(), 0);
            painter_.scale(narrowing, 1.0);
            painter_.translate(-box.left(), 0);
            box.setWidth(static_cast<int>(std::ceil(box.width() / narrowing)));
        }
    }
    if (bkMode_ == OPAQUE)
        painter_.fillRect(painter_.boundingRect(box, alignment, text), Qt::white);
    if (textColour_ != kBlack)
        painter_.setPen(ToQColor(textColour_));
    painter_.drawText(box, alignment, text);
    painter_.restore();
}

void PainterSurface::DrawRecurringText(const QString &text, const Rect &rect, unsigned flags)
{
    // Vector devices lay their texts out themselves, and so does a turned or scaled painter.
    if (cache_ == nullptr || hairlines_ || bkMode_ == OPAQUE || !(flags & DT_NOPREFIX) ||
        !painter_.transform().isIdentity()) {
        DrawText(text, rect, flags);
        return;
    }
    if (text.isEmpty() || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    ApplyFont();
    const QStaticText &laidOut = cache_->LaidOut(font_, text);
    const QSizeF size = laidOut.size();
    const QRect box = ToQRect(rect.left, rect.top, rect.right, rect.bottom);
    // Placed as DrawText aligns it.
    double x = box.left();
    if (flags & DT_RIGHT)
        x = box.left() + box.width() - size.width();
    else if (flags & DT_CENTER)
        x = box.left() + (box.width() - size.width()) / 2;
    double y = box.top();
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER))
        y = box.top() + (box.height() - size.height()) / 2;
    // Only a text larger than its rectangle needs the cost of a clip.
    const bool clipped = size.width() > box.width() || size.height() > box.height();
    if (clipped) {
        painter_.save();
        painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    const QPen pen = painter_.pen();
    painter_.setPen(ToQColor(textColour_));
    painter_.drawStaticText(QPointF(x, y), laidOut);
    painter_.setPen(pen);
    if (clipped)
        painter_.restore();
}

void PainterSurface::ApplyFont()
{
    if (!fontDirty_)
        return;
    qfont_ = font_.face.isEmpty() ? QFont() : QFont(font_.face);
    qfont_.setPixelSize(std::max(1, font_.pixelHeight));
    painter_.setFont(qfont_);
    metrics_.reset();
    fontDirty_ = false;
}

const QFontMetricsF &PainterSurface::Metrics()
{
    ApplyFont();
    if (!metrics_)
        metrics_.emplace(qfont_, painter_.device());
    return *metrics_;
}

int PainterSurface::TextWidth(const QString &text)
{
    const auto measure = [&] { return static_cast<int>(std::ceil(Metrics().horizontalAdvance(text))); };
    return cache_ != nullptr ? cache_->Width(font_, text, measure) : measure();
}

int PainterSurface::LineHeight()
{
    return static_cast<int>(std::ceil(Metrics().height()));
}

void PainterSurface::DrawImage(const QImage &image, const Rect &target)
{
    Flush();
    if (image.isNull() || target.right <= target.left || target.bottom <= target.top)
        return;
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(ToQRect(target.left, target.top, target.right, target.bottom), image);
    painter_.restore();
}

} // namespace platform
