#pragma once

#include "platform/draw_surface.h"

#include <vector>

namespace platform {

// One drawing call as the recording surface saw it.
struct RecordedCall {
    enum class Kind { FillRect, Rectangle, Line, Text, Image, Ellipse };
    Kind kind = Kind::FillRect;
    Rect rect;                             // fills, rectangles, texts, images, ellipses
    int x1 = 0, y1 = 0;                    // lines: start point
    int x2 = 0, y2 = 0;                    // lines: end point (not drawn)
    ColorRef colour = 0;                   // fills, rectangles and ellipses
    EllipsePart part = EllipsePart::Whole; // ellipses
    QString text;                          // texts
    unsigned flags = 0;                    // texts
    Font font;                             // the font selected when the call was made
    int bkMode = OPAQUE;                   // the background mode when the call was made
    ColorRef textColour = kBlack;          // the text colour when the call was made

    friend bool operator==(const RecordedCall &, const RecordedCall &) = default;
};

// A surface that draws nothing and keeps every call with its exact integer coordinates.
class RecordingSurface : public DrawSurface
{
public:
    explicit RecordingSurface(int dpi = 96, bool printing = false) : dpi_(dpi), printing_(printing) {}

    int LogPixelsX() const override { return dpi_; }
    int LogPixelsY() const override { return dpi_; }
    bool IsPrinting() const override { return printing_; }

    Font SelectFont(const Font &font) override;
    int SetBkMode(int mode) override;
    ColorRef SetTextColor(ColorRef colour) override;
    void FillRect(const Rect &rect, ColorRef colour) override;
    void Rectangle(const Rect &rect, ColorRef fill) override;
    void Ellipse(const Rect &rect, ColorRef fill, EllipsePart part) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawText(const QString &text, const Rect &rect, unsigned flags) override;
    // Measured as a monospace face: every character 0.6 of the font's height wide, a line 1.2
    // of it high.
    int TextWidth(const QString &text) override;
    int LineHeight() override;
    void DrawImage(const QImage &image, const Rect &target) override;

    const std::vector<RecordedCall> &Calls() const { return calls_; }
    std::vector<RecordedCall> CallsOf(RecordedCall::Kind kind) const;
    // The font and background mode the surface holds now.
    const Font &CurrentFont() const { return font_; }
    int CurrentBkMode() const { return bkMode_; }
    void Clear() { calls_.clear(); }

private:
    RecordedCall Make(RecordedCall::Kind kind) const;

    int dpi_;
    bool printing_;
    Font font_;
    int bkMode_ = OPAQUE;
    ColorRef textColour_ = kBlack;
    int x_ = 0;
    int y_ = 0;
    std::vector<RecordedCall> calls_;
};

} // namespace platform
