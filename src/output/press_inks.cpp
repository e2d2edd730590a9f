#include "output/press_inks.h"

#include "images/press_colour.h"
#include "images/press_photo.h"

#include <QFile>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The colour spaces a content stream sets, as far as inks are concerned.
enum class Space { Gray, Rgb, RgbPattern, Other };

// What a colour space resource or name stands for.
Space SpaceOf(QPDFObjectHandle space)
{
    if (space.isName()) {
        const std::string name = space.getName();
        return name == "/DeviceRGB" || name == "/CalRGB" ? Space::Rgb
               : name == "/DeviceGray"                   ? Space::Gray
                                                         : Space::Other;
    }
    if (space.isArray() && space.getArrayNItems() >= 1) {
        QPDFObjectHandle family = space.getArrayItem(0);
        if (family.isNameAndEquals("/CalRGB"))
            return Space::Rgb;
        if (family.isNameAndEquals("/Pattern") && space.getArrayNItems() == 2 &&
            SpaceOf(space.getArrayItem(1)) == Space::Rgb)
            return Space::RgbPattern;
    }
    return Space::Other;
}

std::string InkNumber(double value)
{
    std::string text = std::to_string(std::round(value * 10000) / 10000);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string InkOperands(double r, double g, double b)
{
    const press_colour::Inks inks = press_colour::InksOf(r, g, b);
    return InkNumber(inks.c) + ' ' + InkNumber(inks.m) + ' ' + InkNumber(inks.y) + ' ' + InkNumber(inks.k);
}

// Rewrites a content stream's RGB colours as inks, token by token: everything else goes through
// as it came.
class InkFilter : public QPDFObjectHandle::TokenFilter
{
public:
    explicit InkFilter(QPDFObjectHandle resources)
        : spaces_(resources.isDictionary() ? resources.getKey("/ColorSpace") : QPDFObjectHandle::newNull())
    {}

    void handleToken(QPDFTokenizer::Token const &token) override
    {
        const QPDFTokenizer::token_type_e type = token.getType();
        if (type == QPDFTokenizer::tt_word) {
            Operator(token);
            operands_.clear();
        } else if (operands_.empty() && (type == QPDFTokenizer::tt_space || type == QPDFTokenizer::tt_comment)) {
            writeToken(token);
        } else {
            operands_.push_back(token);
        }
    }

    void handleEOF() override
    {
        for (const QPDFTokenizer::Token &token : operands_)
            writeToken(token);
        operands_.clear();
    }

private:
    struct State {
        Space fill = Space::Gray;
        Space stroke = Space::Gray;
    };

    void Operator(QPDFTokenizer::Token const &token)
    {
        const std::string &op = token.getValue();
        std::vector<double> numbers;
        std::string name;
        for (const QPDFTokenizer::Token &operand : operands_) {
            if (operand.getType() == QPDFTokenizer::tt_integer || operand.getType() == QPDFTokenizer::tt_real)
                numbers.push_back(std::atof(operand.getValue().c_str()));
            else if (operand.getType() == QPDFTokenizer::tt_name)
                name = operand.getValue();
        }
        const bool fill = op == "rg" || op == "cs" || op == "sc" || op == "scn";
        Space &space = fill ? state_.fill : state_.stroke;
        if (op == "q") {
            stack_.push_back(state_);
        } else if (op == "Q") {
            if (!stack_.empty()) {
                state_ = stack_.back();
                stack_.pop_back();
            }
        } else if ((op == "rg" || op == "RG") && numbers.size() == 3) {
            space = Space::Rgb;
            return Write(InkOperands(numbers[0], numbers[1], numbers[2]) + (fill ? " k" : " K"));
        } else if (op == "g" || op == "G") {
            (op == "g" ? state_.fill : state_.stroke) = Space::Gray;
        } else if (op == "k" || op == "K") {
            (op == "k" ? state_.fill : state_.stroke) = Space::Other;
        } else if ((op == "cs" || op == "CS") && !name.empty()) {
            QPDFObjectHandle resolved = QPDFObjectHandle::newName(name);
            if (spaces_.isDictionary() && spaces_.hasKey(name))
                resolved = spaces_.getKey(name);
            space = SpaceOf(resolved);
            if (space == Space::Rgb)
                return Write("/DeviceCMYK " + op);
            if (space == Space::RgbPattern)
                return Write("/TamvelInkPattern " + op);
        } else if ((op == "sc" || op == "scn" || op == "SC" || op == "SCN") && numbers.size() == 3 &&
                   (space == Space::Rgb || space == Space::RgbPattern)) {
            return Write(InkOperands(numbers[0], numbers[1], numbers[2]) + (name.empty() ? "" : ' ' + name) + ' ' + op);
        }
        for (const QPDFTokenizer::Token &operand : operands_)
            writeToken(operand);
        writeToken(token);
    }

    void Write(const std::string &text)
    {
        // The spaces before the operands stay where they were.
        std::size_t i = 0;
        while (i < operands_.size() && (operands_[i].getType() == QPDFTokenizer::tt_space ||
                                        operands_[i].getType() == QPDFTokenizer::tt_comment))
            writeToken(operands_[i++]);
        write(text);
    }

    QPDFObjectHandle spaces_;
    std::vector<QPDFTokenizer::Token> operands_;
    State state_;
    std::vector<State> stack_;
};

// A photo in inks or greys, from the pixels the page drew when they are known.
void ImageInInks(QPDFObjectHandle image, const QImage &drawn)
{
    QPDFObjectHandle dictionary = image.getDict();
    if (SpaceOf(dictionary.getKey("/ColorSpace")) != Space::Rgb ||
        !dictionary.getKey("/BitsPerComponent").isInteger() ||
        dictionary.getKey("/BitsPerComponent").getIntValue() != 8 || !dictionary.getKey("/Width").isInteger() ||
        !dictionary.getKey("/Height").isInteger())
        return;
    const QSize size(static_cast<int>(dictionary.getKey("/Width").getIntValue()),
                     static_cast<int>(dictionary.getKey("/Height").getIntValue()));
    QImage pixels = drawn;
    if (pixels.size() != size) {
        const std::shared_ptr<Buffer> decoded = image.getStreamData(qpdf_dl_all);
        if (decoded->getSize() != std::size_t(size.width()) * size.height() * 3)
            throw std::runtime_error("image");
        pixels =
            QImage(decoded->getBuffer(), size.width(), size.height(), size.width() * 3, QImage::Format_RGB888).copy();
    }
    const PressPhoto press = PressPhotoOf(pixels);
    image.replaceStreamData(press.jpeg.toStdString(), QPDFObjectHandle::newName("/DCTDecode"),
                            QPDFObjectHandle::newNull());
    dictionary.replaceKey("/ColorSpace", QPDFObjectHandle::newName(press.grey ? "/DeviceGray" : "/DeviceCMYK"));
    dictionary.removeKey("/Decode");
}

// Transparency keys a PDF/X-3 reader must not see, left at their neutral values by the drawing.
void DropNeutralTransparency(QPDFObjectHandle states)
{
    if (!states.isDictionary())
        return;
    for (const std::string &key : states.getKeys()) {
        QPDFObjectHandle state = states.getKey(key);
        if (!state.isDictionary())
            continue;
        for (const char *alpha : {"/ca", "/CA"}) {
            if (state.getKey(alpha).isNumber() && state.getKey(alpha).getNumericValue() == 1.0)
                state.removeKey(alpha);
        }
        if (state.getKey("/SMask").isNameAndEquals("/None"))
            state.removeKey("/SMask");
        state.removeKey("/AIS");
    }
}

// One page of the drawing in inks: its content and its photos. Its resources follow once every
// page is done, as pages may share them.
void PageInInks(QPDF &pdf, QPDFPageObjectHelper page, int number, const PhotoPixels &photoPixels)
{
    QPDFObjectHandle resources = page.getObjectHandle().getKey("/Resources");
    InkFilter filter(resources);
    Pl_Buffer content("press content");
    page.filterContents(&filter, &content);
    content.finish();
    const std::shared_ptr<Buffer> bytes = content.getBufferSharedPointer();
    page.getObjectHandle().replaceKey(
        "/Contents", QPDFObjectHandle::newStream(
                         &pdf, std::string(reinterpret_cast<const char *>(bytes->getBuffer()), bytes->getSize())));
    for (auto &[name, image] : page.getImages()) {
        QPDFObjectHandle dictionary = image.getDict();
        const QSize size(dictionary.getKey("/Width").isInteger() ? int(dictionary.getKey("/Width").getIntValue()) : 0,
                         dictionary.getKey("/Height").isInteger() ? int(dictionary.getKey("/Height").getIntValue())
                                                                  : 0);
        ImageInInks(image, size.isEmpty() ? QImage() : photoPixels(number, size));
    }
}

void ResourcesInInks(QPDFObjectHandle resources)
{
    if (!resources.isDictionary())
        return;
    DropNeutralTransparency(resources.getKey("/ExtGState"));
    // The colour spaces that named RGB now name inks.
    QPDFObjectHandle spaces = resources.getKey("/ColorSpace");
    if (spaces.isDictionary()) {
        for (const std::string &key : spaces.getKeys()) {
            const Space space = SpaceOf(spaces.getKey(key));
            if (space == Space::Rgb)
                spaces.replaceKey(key, QPDFObjectHandle::newName("/DeviceCMYK"));
            else if (space == Space::RgbPattern)
                spaces.replaceKey(key, QPDFObjectHandle::parse("[/Pattern /DeviceCMYK]"));
        }
        spaces.replaceKey("/TamvelInkPattern", QPDFObjectHandle::parse("[/Pattern /DeviceCMYK]"));
    }
}

bool NearlyEqual(QPDFObjectHandle a, QPDFObjectHandle b)
{
    if (!a.isRectangle() || !b.isRectangle())
        return false;
    const QPDFObjectHandle::Rectangle x = a.getArrayAsRectangle(), y = b.getArrayAsRectangle();
    return std::abs(x.llx - y.llx) < 0.5 && std::abs(x.lly - y.lly) < 0.5 && std::abs(x.urx - y.urx) < 0.5 &&
           std::abs(x.ury - y.ury) < 0.5;
}

PressInks Refused(const QString &error, bool converterFailed = false)
{
    return {{}, error, converterFailed};
}

} // namespace

PressInks SetPagesInFrame(const QString &pagesPath, const QByteArray &frameBytes, int pageCount, const QString &title,
                          const PhotoPixels &photoPixels)
{
    // The converter's file is checked before anything is made of it.
    QPDF frame;
    frame.setSuppressWarnings(true);
    try {
        frame.processMemoryFile("frame", frameBytes.constData(), static_cast<std::size_t>(frameBytes.size()));
    } catch (const std::exception &) {
        return Refused(QStringLiteral("Ghostscript a rendu un fichier qui n'est pas un PDF lisible : la conversion "
                                      "pour l'imprimeur est abandonnée."),
                       true);
    }
    PressInks result;
    try {
        QPDFPageDocumentHelper framePages(frame);
        const std::vector<QPDFPageObjectHelper> marksPages = framePages.getAllPages();
        QPDFObjectHandle root = frame.getRoot();
        if (marksPages.size() != 1 || !root.getKey("/OutputIntents").isArray() ||
            !frame.getTrailer().getKey("/Info").getKey("/GTS_PDFXVersion").isString())
            return Refused(
                QStringLiteral("Ghostscript a rendu un PDF sans les pages ou les marques PDF/X attendues : la "
                               "conversion pour l'imprimeur est abandonnée."),
                true);
        frame.getTrailer().getKey("/Info").replaceKey("/Title",
                                                      QPDFObjectHandle::newUnicodeString(title.toStdString()));
        QPDFPageObjectHelper marksPage = marksPages.front();
        QPDFObjectHandle media = marksPage.getObjectHandle().getKey("/MediaBox");
        QPDFObjectHandle trim = marksPage.getObjectHandle().getKey("/TrimBox");
        QPDFObjectHandle bleed = marksPage.getObjectHandle().getKey("/BleedBox");
        QPDFObjectHandle marks = marksPage.getFormXObjectForPage();
        framePages.removePage(marksPage);

        QPDF pages;
        pages.setSuppressWarnings(true);
        pages.processFile(QFile::encodeName(pagesPath).constData());
        QPDFPageDocumentHelper drawn(pages);
        std::vector<QPDFPageObjectHelper> all = drawn.getAllPages();
        if (static_cast<int>(all.size()) != pageCount)
            return Refused(QStringLiteral("Les pages dessinées pour l'imprimeur sont incomplètes."));
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (!NearlyEqual(all[i].getObjectHandle().getKey("/MediaBox"), media))
                return Refused(QStringLiteral("Ghostscript a rendu une feuille d'une autre taille que les pages : la "
                                              "conversion pour l'imprimeur est abandonnée."),
                               true);
            PageInInks(pages, all[i], static_cast<int>(i) + 1, photoPixels);
        }
        for (QPDFPageObjectHelper &page : all)
            ResourcesInInks(page.getObjectHandle().getKey("/Resources"));
        for (QPDFPageObjectHelper &page : all) {
            framePages.addPage(page, false);
        }
        for (QPDFPageObjectHelper page : framePages.getAllPages()) {
            QPDFObjectHandle sheet = page.getObjectHandle();
            sheet.replaceKey("/MediaBox", media);
            sheet.replaceKey("/TrimBox", trim);
            sheet.replaceKey("/BleedBox", bleed);
            QPDFObjectHandle resources = sheet.getKey("/Resources");
            if (!resources.isDictionary()) {
                resources = QPDFObjectHandle::newDictionary();
                sheet.replaceKey("/Resources", resources);
            }
            if (!resources.getKey("/XObject").isDictionary())
                resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
            resources.getKey("/XObject").replaceKey("/TamvelMarks", marks);
            // The drawing leaves its scale behind: it is set apart before the marks go over it.
            page.addPageContents(QPDFObjectHandle::newStream(&frame, "q\n"), true);
            page.addPageContents(QPDFObjectHandle::newStream(&frame, "\nQ q /TamvelMarks Do Q\n"), false);
        }

        QPDFWriter writer(frame);
        writer.setOutputMemory();
        writer.setObjectStreamMode(qpdf_o_disable);
        writer.setSuppressOriginalObjectIDs(true);
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        result.pdf = QByteArray(reinterpret_cast<const char *>(written->getBuffer()),
                                static_cast<qsizetype>(written->getSize()));
    } catch (const std::exception &) {
        return Refused(QStringLiteral("Les pages n'ont pas pu être préparées pour l'imprimeur : un des fichiers de la "
                                      "conversion est illisible."));
    }
    // The result is read back as any PDF reader would before it replaces anything.
    try {
        QPDF check;
        check.setSuppressWarnings(true);
        check.processMemoryFile("print-ready", result.pdf.constData(), static_cast<std::size_t>(result.pdf.size()));
        if (static_cast<int>(QPDFPageDocumentHelper(check).getAllPages().size()) != pageCount)
            throw std::runtime_error("pages");
    } catch (const std::exception &) {
        return Refused(QStringLiteral("Le fichier pour l'imprimeur ne se relit pas comme un PDF complet : il n'est pas "
                                      "enregistré."));
    }
    return result;
}
