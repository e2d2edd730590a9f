#include "drawing/draw_calendar.h"
#include "platform/painter_surface.h"
#include "platform/registry.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Every paint draws the whole page again, so one page must fit in a frame.
struct Target {
    int width;
    int height;
    int dpi;
    bool screen; // the view's sheet (scale 900 / inner height) rather than an exported page
};

// A 24-megapixel photo (6000 x 4000, a phone's or a camera's), made once.
const Photo &BigPhoto()
{
    static const Photo photo = [] {
        QImage picture(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb(x % 256, y % 256, (x + y) % 256);
        }
        return Photo(picture);
    }();
    return photo;
}

void DrawPage(benchmark::State &state, DisplayMode mode, const Target &target, const Photo &photo = {})
{
    // The school holidays come from the bundled record alone, not from the user's settings.
    static const QTemporaryDir settings;
    platform::SetSettingsFile(settings.filePath(QStringLiteral("bench.conf")));
    AppSettings app;
    app.Annee = 2025;
    app.Pub1 = AppSettings::DefaultPub1();
    app.Pub2 = AppSettings::DefaultPub2();
    ViewState view;
    view.mode = mode;
    view.Sem = view.NonTrav = view.Ferie = view.FerieParticulier = view.PubVisible = 1;
    view.FetesVisible = view.LuneVisible = 1;
    view.VacancesZones = QStringLiteral("ABC");
    CTamvelDoc doc(app);
    doc.Dates = {COleDateTime(2025, 3, 17, 0, 0, 0), COleDateTime(2025, 12, 24, 0, 0, 0)};
    doc.Libelles = {"Saint Patrick", "R\xC3\xA9veillon & famille"};
    doc.Photo1 = photo;
    const int page = static_cast<int>(state.range(0));

    const bool portrait = IsPortrait(mode);
    const int width = portrait ? target.height : target.width;
    const int height = portrait ? target.width : target.height;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    // Screen: the whole image is the inner sheet; export: 1.5 cm margins on an A4 page.
    const int mx = target.screen ? 0 : width * 15 / (portrait ? 210 : 297);
    const int my = target.screen ? 0 : height * 15 / (portrait ? 297 : 210);
    const double scale = target.screen ? 900.0 / (height - 2 * my) : 1.0;
    // What the view keeps from one repaint to the next.
    platform::PaintCache cache;
    const auto paint = [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        platform::PainterSurface dc(painter, target.dpi, target.dpi, !target.screen, &cache);
        DrawCalendar(dc, {app, view, &doc}, mx, my, width - mx, height - my, page, scale);
        painter.end();
    };
    // What every repaint costs, after the first one has scaled the photo to its frame.
    paint();
    for (auto _ : state)
        paint();
}

const Target kExport{1600, 1130, 137, false};
const Target kScreen{1200, 850, 96, true};
const Target kScreenPortrait{900, 600, 96, true};

void BM_VerticalExport(benchmark::State &state)
{
    DrawPage(state, DisplayMode::Vertical, kExport);
}
void BM_VerticalScreen(benchmark::State &state)
{
    DrawPage(state, DisplayMode::Vertical, kScreenPortrait);
}
void BM_VerticalPhotoScreen(benchmark::State &state)
{
    DrawPage(state, DisplayMode::VerticalPhoto, kScreenPortrait, BigPhoto());
}
void BM_HorizontalExport(benchmark::State &state)
{
    DrawPage(state, DisplayMode::Horizontal, kExport);
}
void BM_HorizontalScreen(benchmark::State &state)
{
    DrawPage(state, DisplayMode::Horizontal, kScreen);
}
void BM_LargeCellsExport(benchmark::State &state)
{
    DrawPage(state, DisplayMode::HorizontalLargeCells, kExport);
}
void BM_LargeCellsScreen(benchmark::State &state)
{
    DrawPage(state, DisplayMode::HorizontalLargeCells, kScreen);
}

BENCHMARK(BM_VerticalExport)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerticalScreen)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerticalPhotoScreen)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorizontalExport)->DenseRange(1, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorizontalScreen)->DenseRange(1, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeCellsExport)->DenseRange(1, 12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeCellsScreen)->DenseRange(1, 12)->Unit(benchmark::kMillisecond);

} // namespace
