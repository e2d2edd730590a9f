#include "icons/svg_paint_device.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <cmath>

namespace packaging {

namespace {

QByteArray Number(qreal value)
{
    // Shortest form, never "-0", always with a dot whatever the locale.
    const qreal rounded = std::round(value * 1000.0) / 1000.0;
    return QByteArray::number(rounded == 0.0 ? 0.0 : rounded, 'g', 10);
}

QByteArray Colour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

QByteArray PathData(const QPainterPath &path)
{
    QByteArray data;
    QPointF subpathStart;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QPointF point(element.x, element.y);
        const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        switch (element.type) {
        case QPainterPath::MoveToElement:
            subpathStart = point;
            data += 'M' + Number(point.x()) + ' ' + Number(point.y());
            continue;
        case QPainterPath::LineToElement:
            // A subpath back at its start is closed, so that its last corner gets a join as Qt
            // draws it, not two caps.
            if (lastOfSubpath && point == subpathStart) {
                data += 'Z';
                continue;
            }
            data += 'L' + Number(point.x()) + ' ' + Number(point.y());
            continue;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element second = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += 'C' + Number(element.x) + ' ' + Number(element.y) + ' ' + Number(second.x) + ' ' +
                    Number(second.y) + ' ' + Number(end.x) + ' ' + Number(end.y);
            if (i + 3 == path.elementCount() || path.elementAt(i + 3).isMoveTo()) {
                if (QPointF(end.x, end.y) == subpathStart)
                    data += 'Z';
            }
            i += 2;
            continue;
        }
        case QPainterPath::CurveToDataElement:
            continue; // consumed with its curve
        }
    }
    return data;
}

QByteArray Cap(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::SquareCap:
        return "square";
    case Qt::RoundCap:
        return "round";
    default:
        return "butt";
    }
}

QByteArray Join(Qt::PenJoinStyle join)
{
    switch (join) {
    case Qt::RoundJoin:
        return "round";
    case Qt::BevelJoin:
        return "bevel";
    default:
        return "miter";
    }
}

} // namespace

class SvgPaintEngine : public QPaintEngine
{
public:
    SvgPaintEngine() : QPaintEngine(PainterPaths | PrimitiveTransform | AlphaBlend | Antialiasing) {}

    bool begin(QPaintDevice *) override
    {
        body_.clear();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
        if (state.state() & DirtyOpacity)
            opacity_ = state.opacity();
    }

    void drawPath(const QPainterPath &path) override
    {
        const QPainterPath mapped = transform_.map(path);
        if (mapped.isEmpty())
            return;
        QByteArray element = "<path d=\"" + PathData(mapped) + '"';
        if (brush_.style() == Qt::NoBrush) {
            element += " fill=\"none\"";
        } else {
            // Only plain colours are drawn: a pattern or gradient keeps its base colour.
            element += " fill=\"" + Colour(brush_.color()) + '"';
            AddOpacity(element, "fill-opacity", brush_.color());
            if (mapped.fillRule() == Qt::OddEvenFill)
                element += " fill-rule=\"evenodd\"";
        }
        if (pen_.style() != Qt::NoPen) {
            // Lines scale with the drawing, as Qt's non-cosmetic pens do.
            const qreal scale = pen_.isCosmetic() ? 1.0 : std::sqrt(std::abs(transform_.determinant()));
            element += " stroke=\"" + Colour(pen_.color()) + "\" stroke-width=\"" +
                       Number(std::max<qreal>(pen_.widthF(), pen_.isCosmetic() ? 1.0 : 0.0) * scale) +
                       "\" stroke-linecap=\"" + Cap(pen_.capStyle()) + "\" stroke-linejoin=\"" +
                       Join(pen_.joinStyle()) + '"';
            AddOpacity(element, "stroke-opacity", pen_.color());
        }
        if (opacity_ < 1.0)
            element += " opacity=\"" + Number(opacity_) + '"';
        body_ += element + "/>\n";
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            const QBrush brush = brush_;
            brush_ = Qt::NoBrush;
            drawPath(path);
            brush_ = brush;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        drawPath(path);
    }

    // The icons hold no bitmaps.
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    const QByteArray &Body() const { return body_; }

private:
    static void AddOpacity(QByteArray &element, const char *attribute, const QColor &colour)
    {
        if (colour.alpha() < 255)
            element += QByteArray(" ") + attribute + "=\"" + Number(colour.alphaF()) + '"';
    }

    QByteArray body_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    qreal opacity_ = 1.0;
};

SvgPaintDevice::SvgPaintDevice(QSize size) : size_(size), engine_(std::make_unique<SvgPaintEngine>()) {}

SvgPaintDevice::~SvgPaintDevice() = default;

QPaintEngine *SvgPaintDevice::paintEngine() const
{
    return engine_.get();
}

QByteArray SvgPaintDevice::Document() const
{
    const QByteArray width = QByteArray::number(size_.width());
    const QByteArray height = QByteArray::number(size_.height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n" + engine_->Body() +
           "</svg>\n";
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const
{
    // One unit is one CSS pixel: 96 per inch.
    constexpr int kDpi = 96;
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return qRound(size_.width() * 25.4 / kDpi);
    case PdmHeightMM:
        return qRound(size_.height() * 25.4 / kDpi);
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace packaging
