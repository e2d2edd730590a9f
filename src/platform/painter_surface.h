#pragma once

#include "platform/draw_surface.h"
#include "platform/paint_cache.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRegion>

#include <optional>

class QPainter;

namespace platform {

class PaintCache;

// The drawing surface over a QPainter on any paint device: a widget, a QImage, a QPrinter or a
// QPdfWriter. Lines and fills are pixel-exact (no antialiasing); texts and ellipses are
// antialiased.
// The painter must stay active while the surface is used. With a cache, what it keeps from
// earlier paints spares the work of the next ones.
class PainterSurface : public DrawSurface
{
public:
    PainterSurface(QPainter &painter, int dpiX, int dpiY, bool printing, PaintCache *cache = nullptr);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface &) = delete;
    PainterSurface &operator=(const PainterSurface &) = delete;

    // Draws what is still held back (a PDF's rules); before the page ends.
    void Flush();

    int LogPixelsX() const override { return dpiX_; }
    int LogPixelsY() const override { return dpiY_; }
    bool IsPrinting() const override { return printing_; }
    double DevicePixelRatio() const override;

    Font SelectFont(const Font &font) override;
    int SetBkMode(int mode) override;
    ColorRef SetTextColor(ColorRef colour) override;
    void FillRect(const Rect &rect, ColorRef colour) override;
    void Rectangle(const Rect &rect, ColorRef fill) override;
    void Ellipse(const Rect &rect, ColorRef fill, EllipsePart part) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawText(const QString &text, const Rect &rect, unsigned flags) override;
    void DrawRecurringText(const QString &text, const Rect &rect, unsigned flags) override;
    int TextWidth(const QString &text) override;
    int LineHeight() override;
    void DrawImage(const QImage &image, const Rect &target) override;

private:
    // A PDF's rules are gathered and filled as one shape at the next other drawing: lines side by
    // side (a thick frame) become one shape of their whole width, and none is thinner than a
    // press can print.
    void AddRule(int left, int top, int right, int bottom);
    // Gives the painter the selected font when it changed since the last text.
    void ApplyFont();
    const QFontMetricsF &Metrics();

    QPainter &painter_;
    int dpiX_;
    int dpiY_;
    bool printing_;
    // Vector devices (PDF, printer, print preview) scale the page afterwards: a line one device
    // pixel wide would thin out to nothing, so lines there are hairlines, drawn at least one
    // pixel wide whatever the zoom, like the default pen on a printer.
    bool hairlines_;
    // In a PDF, the narrowest rule in device pixels (a quarter of a point) and the rules not yet
    // filled; 0 elsewhere.
    int thinnestRule_ = 0;
    QRegion rules_;
    PaintCache *cache_;
    Font font_;
    QFont qfont_;
    bool fontDirty_ = true;
    std::optional<QFontMetricsF> metrics_; // of qfont_ on the device, made at the first measure
    int bkMode_ = OPAQUE;
    ColorRef textColour_ = kBlack;
    int x_ = 0;
    int y_ = 0;
};

// 0x00BBGGRR to a QColor.
QColor ToQColor(ColorRef colour);

} // namespace platform
