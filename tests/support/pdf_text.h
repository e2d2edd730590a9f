#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <vector>

// The words of a PDF as pdftotext -bbox reads them back, page by page, with their boxes in
// points from the page's top-left corner.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};

struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWord> words;

    const PdfWord *Find(const QString &text) const
    {
        for (const PdfWord &word : words)
            if (word.text == text)
                return &word;
        return nullptr;
    }
};

inline std::vector<PdfPage> ReadPdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<PdfPage> pages;
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
        } else if (!pages.empty()) {
            QString text = m.captured(7);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            pages.back().words.push_back({text, m.captured(3).toDouble(), m.captured(4).toDouble(),
                                          m.captured(5).toDouble(), m.captured(6).toDouble()});
        }
    }
    return pages;
}
