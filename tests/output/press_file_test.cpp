#include "images/photo.h"
#include "images/press_colour.h"
#include "output/calendar_export.h"
#include "output/print_ready.h"
#include "platform/font_substitutions.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

// What a content stream paints, with the colour and the page's scale at the time.
struct Painted {
    std::string what; // "text", "fill", "stroke"
    std::vector<double> colour;
    double width = 0;       // strokes: in points on the page
    double narrowest = 1e9; // fills: the narrower side of the smallest subpath, in points
};

class Painting : public QPDFObjectHandle::ParserCallbacks
{
public:
    void handleObject(QPDFObjectHandle object) override
    {
        if (!object.isOperator()) {
            operands_.push_back(object);
            return;
        }
        const std::string op = object.getOperatorValue();
        std::vector<double> numbers;
        for (QPDFObjectHandle &operand : operands_)
            if (operand.isNumber())
                numbers.push_back(operand.getNumericValue());
        if (op == "q") {
            stack_.push_back(state_);
        } else if (op == "Q" && !stack_.empty()) {
            state_ = stack_.back();
            stack_.pop_back();
        } else if (op == "cm" && numbers.size() == 6) {
            state_.scale *= std::sqrt(std::abs(numbers[0] * numbers[3] - numbers[1] * numbers[2]));
        } else if (op == "w" && numbers.size() == 1) {
            state_.width = numbers[0];
        } else if (op == "k" || op == "g" || op == "rg" || op == "sc" || op == "scn") {
            state_.fill = numbers;
        } else if (op == "K" || op == "G" || op == "RG" || op == "SC" || op == "SCN") {
            state_.stroke = numbers;
        } else if (op == "m" || op == "re") {
            CloseSubpath();
            if (op == "re" && numbers.size() == 4) {
                Extend(numbers[0], numbers[1]);
                Extend(numbers[0] + numbers[2], numbers[1] + numbers[3]);
            } else if (numbers.size() == 2) {
                Extend(numbers[0], numbers[1]);
            }
        } else if (op == "l" && numbers.size() == 2) {
            Extend(numbers[0], numbers[1]);
        } else if (op == "Tj" || op == "TJ") {
            painted.push_back({"text", state_.fill});
        } else if (op == "S" || op == "s" || op == "B" || op == "b") {
            painted.push_back({"stroke", state_.stroke, state_.width * state_.scale});
        } else if (op == "f" || op == "f*") {
            CloseSubpath();
            painted.push_back({"fill", state_.fill, 0, narrowest_ * state_.scale});
        }
        if (op == "S" || op == "s" || op == "f" || op == "f*" || op == "n" || op == "B" || op == "b")
            narrowest_ = 1e9;
        operands_.clear();
    }
    void handleEOF() override {}
    std::vector<Painted> painted;

private:
    void Extend(double x, double y)
    {
        box_ = box_.empty() ? std::vector<double>{x, y, x, y}
                            : std::vector<double>{std::min(box_[0], x), std::min(box_[1], y), std::max(box_[2], x),
                                                  std::max(box_[3], y)};
    }
    void CloseSubpath()
    {
        if (!box_.empty())
            narrowest_ = std::min(narrowest_, std::min(box_[2] - box_[0], box_[3] - box_[1]));
        box_.clear();
    }
    struct State {
        double scale = 1, width = 1;
        std::vector<double> fill, stroke;
    };
    State state_;
    std::vector<State> stack_;
    std::vector<QPDFObjectHandle> operands_;
    std::vector<double> box_;
    double narrowest_ = 1e9;
};

struct PdfPainting {
    std::vector<Painted> painted;
    std::vector<std::string> imageSpaces;
    std::vector<std::vector<std::uint8_t>> imagePixels;
};

PdfPainting Read(const QString &path)
{
    PdfPainting result;
    QPDF pdf;
    pdf.processFile(path.toLocal8Bit().constData());
    for (QPDFPageObjectHelper page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        Painting painting;
        page.parseContents(&painting);
        result.painted.insert(result.painted.end(), painting.painted.begin(), painting.painted.end());
        for (auto &[name, image] : page.getImages()) {
            result.imageSpaces.push_back(image.getDict().getKey("/ColorSpace").unparse());
            const auto data = image.getStreamData(qpdf_dl_all);
            result.imagePixels.emplace_back(data->getBuffer(), data->getBuffer() + data->getSize());
        }
    }
    return result;
}

class PressFileTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { platform::RegisterFontSubstitutions(); }
    PressFileTest() { app.Annee = 2027; }

    QTemporaryDir dir;
    AppSettings app;
    ViewState view;
    CTamvelDoc doc{app};
};

// A photo whose left third is pure red, its middle grey-blue and its right third black.
QImage ThreeBands(bool grey)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(qRgb(120, 170, 220));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x) {
            image.setPixel(x, y, qRgb(255, 0, 0));
            image.setPixel(x + 200, y, qRgb(0, 0, 0));
        }
    return grey ? image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32) : image;
}

TEST_F(PressFileTest, EveryPdfRuleIsAtLeastAQuarterPointAndThickFramesAreOneShape)
{
    view.GrosTrait = 1;
    for (const DisplayMode mode : {DisplayMode::VerticalPhoto, DisplayMode::HorizontalPhoto, DisplayMode::Vertical,
                                   DisplayMode::HorizontalLargeCells}) {
        view.mode = mode;
        const QString path = dir.filePath(QStringLiteral("plain.pdf"));
        ASSERT_TRUE(ExportPdf(path, {app, view, &doc}).ok);
        int strokes = 0, blackFills = 0;
        for (const Painted &p : Read(path).painted) {
            if (p.what == "stroke") {
                ++strokes;
                EXPECT_GE(p.width, 0.25 - 1e-6) << int(mode);
            } else if (p.what == "fill" && p.colour == std::vector<double>{0, 0, 0}) {
                // The rules of a page, thick frames included, are filled together.
                ++blackFills;
                EXPECT_GE(p.narrowest, 0.25 - 1e-6) << int(mode);
            }
        }
        EXPECT_GT(blackFills, 0) << int(mode);
    }
}

TEST_F(PressFileTest, NeutralsAreBlackInkAloneAndColoursAndPhotosGoThroughTheProfile)
{
    const QByteArray binary = qgetenv("TAMVEL_BINARY");
    if (binary.isEmpty())
        GTEST_FAIL() << "TAMVEL_BINARY names the built program, beside which the press profile is";
    PrintReadyOptions options;
    options.profile = PressProfilePath(QString::fromLocal8Bit(binary));
    view.mode = DisplayMode::VerticalPhoto;
    view.FetesVisible = 1;
    view.NonTrav = 1;
    app.Color_Sem_Mois = 0x3CA0F0; // a light orange header
    doc.Photo1 = Photo(ThreeBands(false));
    doc.Photo2 = Photo(ThreeBands(true));
    const QString path = dir.filePath(QStringLiteral("press.pdf"));
    const ExportResult result = ExportPrintReadyPdf(path, {app, view, &doc}, options);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const PdfPainting file = Read(path);

    const auto inks = [](platform::ColorRef c) {
        const press_colour::Inks i =
            press_colour::InksOf((c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
        return std::vector<double>{i.c, i.m, i.y, i.k};
    };
    const auto seen = [&](const std::string &what, const std::vector<double> &colour) {
        return std::any_of(file.painted.begin(), file.painted.end(), [&](const Painted &p) {
            if (p.what != what || p.colour.size() != colour.size())
                return false;
            for (std::size_t i = 0; i < colour.size(); ++i)
                if (std::abs(p.colour[i] - colour[i]) > 2e-4)
                    return false;
            return true;
        });
    };
    struct Case {
        const char *name;
        std::string what;
        std::vector<double> colour;
    };
    const Case cases[] = {
        {"black text", "text", {0, 0, 0, 1}},
        {"grey text of the name days", "text", {0, 0, 0, 1 - 0x60 / 255.0}},
        {"grey fill of the non-working days", "fill", {0, 0, 0, 1 - 0xCF / 255.0}},
        {"colour fill of the headers", "fill", inks(0x3CA0F0)},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(seen(c.what, c.colour)) << c.name;
    EXPECT_GT(inks(0x3CA0F0)[1], 0.2); // the orange is made of colour inks
    // Nothing is left in RGB, and no grey or black is made of colour inks.
    for (const Painted &p : file.painted) {
        ASSERT_NE(p.colour.size(), 3u) << p.what;
        if (p.colour.size() == 4) {
            EXPECT_FALSE(p.colour[0] == p.colour[1] && p.colour[1] == p.colour[2] && p.colour[0] > 0) << p.what;
        }
    }

    // The colour photo in inks, red staying red and black within 300 % of ink; the grey one grey,
    // which prints in black ink alone.
    ASSERT_EQ(file.imageSpaces, (std::vector<std::string>{"/DeviceCMYK", "/DeviceGray"}));
    const std::vector<std::uint8_t> &cmyk = file.imagePixels[0];
    int most = 0, red = 0;
    for (std::size_t i = 0; i + 3 < cmyk.size(); i += 4) {
        most = std::max(most, cmyk[i] + cmyk[i + 1] + cmyk[i + 2] + cmyk[i + 3]);
        red += cmyk[i] < 40 && cmyk[i + 1] > 200 && cmyk[i + 2] > 200 && cmyk[i + 3] < 40;
    }
    EXPECT_LE(most, 3 * 255 + 3);
    EXPECT_GT(red, int(cmyk.size() / 4 / 4));
}

} // namespace
