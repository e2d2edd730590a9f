#include "platform/recording_surface.h"

namespace platform {

RecordedCall RecordingSurface::Make(RecordedCall::Kind kind) const
{
    RecordedCall call;
    call.kind = kind;
    call.font = font_;
    call.bkMode = bkMode_;
    call.textColour = textColour_;
    return call;
}

Font RecordingSurface::SelectFont(const Font &font)
{
    Font previous = font_;
    font_ = font;
    return previous;
}

int RecordingSurface::SetBkMode(int mode)
{
    const int previous = bkMode_;
    bkMode_ = mode;
    return previous;
}

ColorRef RecordingSurface::SetTextColor(ColorRef colour)
{
    const ColorRef previous = textColour_;
    textColour_ = colour;
    return previous;
}

void RecordingSurface::FillRect(const Rect &rect, ColorRef colour)
{
    RecordedCall call = Make(RecordedCall::Kind::FillRect);
    call.rect = rect;
    call.colour = colour;
    calls_.push_back(std::move(call));
}

void RecordingSurface::Rectangle(const Rect &rect, ColorRef fill)
{
    RecordedCall call = Make(RecordedCall::Kind::Rectangle);
    call.rect = rect;
    call.colour = fill;
    calls_.push_back(std::move(call));
}

void RecordingSurface::Ellipse(const Rect &rect, ColorRef fill, EllipsePart part)
{
    RecordedCall call = Make(RecordedCall::Kind::Ellipse);
    call.rect = rect;
    call.colour = fill;
    call.part = part;
    calls_.push_back(std::move(call));
}

void RecordingSurface::MoveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void RecordingSurface::LineTo(int x, int y)
{
    RecordedCall call = Make(RecordedCall::Kind::Line);
    call.x1 = x_;
    call.y1 = y_;
    call.x2 = x;
    call.y2 = y;
    calls_.push_back(std::move(call));
    x_ = x;
    y_ = y;
}

void RecordingSurface::DrawText(const QString &text, const Rect &rect, unsigned flags)
{
    RecordedCall call = Make(RecordedCall::Kind::Text);
    call.text = text;
    call.rect = rect;
    call.flags = flags;
    calls_.push_back(std::move(call));
}

int RecordingSurface::TextWidth(const QString &text)
{
    return static_cast<int>(text.size()) * font_.pixelHeight * 3 / 5;
}

int RecordingSurface::LineHeight()
{
    return font_.pixelHeight * 6 / 5;
}

void RecordingSurface::DrawImage(const QImage &, const Rect &target)
{
    RecordedCall call = Make(RecordedCall::Kind::Image);
    call.rect = target;
    calls_.push_back(std::move(call));
}

std::vector<RecordedCall> RecordingSurface::CallsOf(RecordedCall::Kind kind) const
{
    std::vector<RecordedCall> selected;
    for (const RecordedCall &call : calls_) {
        if (call.kind == kind)
            selected.push_back(call);
    }
    return selected;
}

} // namespace platform
