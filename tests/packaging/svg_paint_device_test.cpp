#include "icons/svg_paint_device.h"

#include "resources/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

using Attributes = std::map<QString, QString>;

// The attributes of every path of the document; fails the test when the XML is not well formed.
std::vector<Attributes> Paths(const QByteArray &document)
{
    std::vector<Attributes> paths;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("path"))
            continue;
        Attributes attributes;
        for (const QXmlStreamAttribute &attribute : reader.attributes())
            attributes[attribute.name().toString()] = attribute.value().toString();
        paths.push_back(attributes);
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return paths;
}

std::vector<Attributes> Draw(const std::function<void(QPainter &)> &paint)
{
    packaging::SvgPaintDevice device(QSize(16, 16));
    {
        QPainter painter(&device);
        paint(painter);
    }
    return Paths(device.Document());
}

struct ShapeCase {
    const char *what;
    std::function<void(QPainter &)> paint;
    Attributes expected; // a subset of the single path's attributes
};

TEST(SvgPaintDevice, ShapesComeOutWhereAndAsThePainterDrewThem)
{
    const std::vector<ShapeCase> cases = {
        {"filled rectangle, scaled",
         [](QPainter &p) {
             p.scale(2, 2);
             p.fillRect(QRectF(1, 2, 3, 4), QColor(0xc8, 0x32, 0x32));
         },
         {{"d", "M2 4L8 4L8 12L2 12Z"}, {"fill", "#c83232"}}},
        {"outline, translated: the line widens with the scale",
         [](QPainter &p) {
             p.translate(1, 0);
             p.scale(3, 3);
             p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
             p.drawRect(QRectF(0.5, 0.5, 2, 1));
         },
         {{"d", "M2.5 1.5L8.5 1.5L8.5 4.5L2.5 4.5Z"},
          {"fill", "none"},
          {"stroke", "#303030"},
          {"stroke-width", "3"},
          {"stroke-linecap", "square"}}},
        {"translucent polygon with a round outline",
         [](QPainter &p) {
             p.setPen(QPen(Qt::black, 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.setBrush(QColor(0, 0, 255, 0x80));
             p.drawPolygon(QPolygonF({{0, 0}, {4, 0}, {0, 4}}));
         },
         {{"d", "M0 0L4 0L0 4Z"},
          {"fill", "#0000ff"},
          {"fill-opacity", "0.502"},
          {"stroke", "#000000"},
          {"stroke-width", "0.5"},
          {"stroke-linejoin", "round"}}},
    };
    for (const ShapeCase &shape : cases) {
        SCOPED_TRACE(shape.what);
        const std::vector<Attributes> paths = Draw(shape.paint);
        ASSERT_EQ(paths.size(), 1u);
        for (const auto &[name, value] : shape.expected)
            EXPECT_EQ(paths[0].at(name), value) << name.toStdString();
        if (!shape.expected.contains("stroke")) {
            EXPECT_FALSE(paths[0].contains("stroke"));
        }
    }
}

TEST(SvgPaintDevice, EllipsesAreCurvesClosedOnTheirStart)
{
    const std::vector<Attributes> paths = Draw([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::yellow);
        p.drawEllipse(QPointF(8, 8), 4, 4);
    });
    ASSERT_EQ(paths.size(), 1u);
    const QString d = paths[0].at("d");
    EXPECT_TRUE(d.startsWith("M12 8C")) << d.toStdString();
    EXPECT_EQ(d.count('C'), 4);
    EXPECT_TRUE(d.endsWith('Z'));
}

TEST(SvgPaintDevice, TheProgramIconIsAWholeDrawing)
{
    const std::vector<Attributes> paths =
        Draw([](QPainter &p) { resources::PaintIcon(p, resources::IconKind::Program, QRectF(0, 0, 16, 16)); });
    // Sheet, header, twelve days, the sheet's edge, two rings with their holes; red: the header
    // and one holiday.
    ASSERT_GE(paths.size(), 20u);
    EXPECT_EQ(paths[0].at("fill"), "#ffffff");
    EXPECT_EQ(
        std::count_if(paths.begin(), paths.end(), [](const Attributes &path) { return path.at("fill") == "#c83232"; }),
        2);
}

} // namespace
