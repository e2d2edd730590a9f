#pragma once

#include "drawing/draw_calendar.h"
#include "platform/recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// The application values, the view state and the document a layout reads, drawn onto a
// recording surface.
class LayoutTest : public ::testing::Test
{
protected:
    using Kind = platform::RecordedCall::Kind;

    LayoutTest()
    {
        app.Annee = 2021;
        app.Pub1 = "Premi\u00E8re ligne";
        app.Pub2 = "Seconde ligne";
        app.Color_Sem_Mois = 0x00DFDFDF;
        app.Color_NTrav = 0x00FF8040;
    }

    LayoutInputs Inputs() const { return {app, view, &doc}; }

    void Draw(DisplayMode mode, int page, double scale, int L = 0, int T = 0, int R = 600, int B = 850)
    {
        view.mode = mode;
        dc.Clear();
        DrawCalendar(dc, Inputs(), L, T, R, B, page, scale);
    }

    std::vector<platform::RecordedCall> Of(Kind kind) const { return dc.CallsOf(kind); }

    // Texts whose rectangle starts at x.
    std::vector<platform::RecordedCall> TextsAt(int left) const
    {
        std::vector<platform::RecordedCall> found;
        for (const auto &call : Of(Kind::Text))
            if (call.rect.left == left)
                found.push_back(call);
        return found;
    }

    const platform::RecordedCall *FindText(const QString &text) const
    {
        for (const auto &call : dc.Calls())
            if (call.kind == Kind::Text && call.text == text)
                return &call;
        return nullptr;
    }

    static int Tr(double value) { return static_cast<int>(std::trunc(value)); }

    AppSettings app;
    ViewState view;
    CTamvelDoc doc{app};
    platform::RecordingSurface dc{96};
};
