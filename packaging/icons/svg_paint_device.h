#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace packaging {

class SvgPaintEngine;

// A paint device that writes what is painted on it as an SVG document: filled and stroked paths,
// rectangles, polygons and ellipses in solid colours, under any affine transform. That is all the
// program's drawn icons use; images and text are left out.
class SvgPaintDevice : public QPaintDevice
{
public:
    explicit SvgPaintDevice(QSize size);
    ~SvgPaintDevice() override;

    QPaintEngine *paintEngine() const override;
    // The complete document, once the painter has ended.
    QByteArray Document() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<SvgPaintEngine> engine_;
};

} // namespace packaging
