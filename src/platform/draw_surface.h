#pragma once

#include <QString>

#include <cstdint>

class QImage;

namespace platform {

// A colour reference 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

// The colour a reference paints: its top byte means nothing to the drawing.
constexpr ColorRef kColourBits = 0xFFFFFF;
constexpr ColorRef DrawnColour(ColorRef colour)
{
    return colour & kColourBits;
}

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

// Text flags with their Windows values.
enum TextFlag : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_SINGLELINE = 0x20,
    DT_NOPREFIX = 0x800, // '&' is drawn as it is, not as a mnemonic
    // The program's own: a text wider than its rectangle is narrowed to fit, down to
    // kNarrowestCondensed of its width, before what is left over is clipped.
    DT_CONDENSE = 0x1000000,
};
constexpr double kNarrowestCondensed = 0.8;
constexpr unsigned kTextCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE; // 0x25
constexpr unsigned kTextLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;      // 0x24
constexpr unsigned kTextRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;    // 0x26

enum BackgroundMode : int { TRANSPARENT = 1, OPAQUE = 2 };

// The text colour every surface starts with.
constexpr ColorRef kBlack = 0x000000;

// What Ellipse fills and outlines: the whole ellipse, or the half left or right of its vertical
// diameter (a chord).
enum class EllipsePart { Whole, LeftHalf, RightHalf };

// A font as CreatePointFont makes it: a face name and a character height in device pixels
// computed from tenths of a point with the device's vertical resolution.
struct Font {
    QString face;
    int tenths = 0;
    int pixelHeight = 0;
    friend bool operator==(const Font &, const Font &) = default;
};

// The drawing calls the layouts and the view make, with the meaning they have on Windows.
// One implementation paints through QPainter (screen, printer, PDF, PNG), another records
// every call for tests.
class DrawSurface
{
public:
    virtual ~DrawSurface() = default;

    // Dots per inch of the device (LOGPIXELSX / LOGPIXELSY).
    virtual int LogPixelsX() const = 0;
    virtual int LogPixelsY() const = 0;
    // True on a printer, a print preview page or an export.
    virtual bool IsPrinting() const = 0;
    // Device pixels per unit of the coordinates: 2 on a screen scaled to twice the size.
    virtual double DevicePixelRatio() const { return 1.0; }

    // pixel height = MulDiv(LogPixelsY, tenths, 720), rounded to nearest like MulDiv.
    Font CreatePointFont(int tenths, const QString &face) const;

    // Selects a font and returns the one selected before.
    virtual Font SelectFont(const Font &font) = 0;
    // Sets the background mode and returns the previous one.
    virtual int SetBkMode(int mode) = 0;
    // Sets the colour of the texts drawn from now on and returns the previous one.
    virtual ColorRef SetTextColor(ColorRef colour) = 0;

    // Left and top edges included, right and bottom excluded.
    virtual void FillRect(const Rect &rect, ColorRef colour) = 0;
    // A one-pixel black outline on the rectangle's inner edge, the inside filled with colour.
    virtual void Rectangle(const Rect &rect, ColorRef fill) = 0;
    // The ellipse inscribed in the rectangle, or half of it, filled with colour inside a black
    // outline about a twelfth of its width thick; smoothed wherever the device has pixels.
    virtual void Ellipse(const Rect &rect, ColorRef fill, EllipsePart part) = 0;
    // A one-unit black line from the current point up to, not including, the end point.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text clipped to its rectangle, broken only at line feeds; unless DT_NOPREFIX is given, '&'
    // underlines the next character and "&&" draws one.
    virtual void DrawText(const QString &text, const Rect &rect, unsigned flags) = 0;
    // DrawText for a text without mnemonic (DT_NOPREFIX) that comes back at every repaint, such
    // as a day's name: a surface may keep its laid-out glyphs from one paint to the next.
    virtual void DrawRecurringText(const QString &text, const Rect &rect, unsigned flags)
    {
        DrawText(text, rect, flags);
    }
    // The width of a text on one line and the height of a line, in the selected font
    // (GetTextExtentPoint32, tmHeight).
    virtual int TextWidth(const QString &text) = 0;
    virtual int LineHeight() = 0;
    // A picture stretched into the rectangle.
    virtual void DrawImage(const QImage &image, const Rect &target) = 0;
};

} // namespace platform
