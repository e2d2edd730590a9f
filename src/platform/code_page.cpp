#include "platform/code_page.h"

#include <QList>

#include <array>

namespace platform {

namespace {

// Bytes 0x80..0x9F; the five bytes the code page leaves undefined map to themselves, as
// Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t DecodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

char EncodeCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray ToCodePage(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // Whole code points, so that a character outside the basic plane gives a single '?'.
    for (const char32_t codePoint : text.toUcs4())
        bytes.append(EncodeCodePoint(codePoint));
    return bytes;
}

QString FromCodePage(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(QChar(DecodeByte(static_cast<unsigned char>(byte))));
    return text;
}

QString FromCodePage(const char *bytes)
{
    return FromCodePage(QByteArray(bytes));
}

QString ToCodePageAndBack(const QString &text)
{
    return FromCodePage(ToCodePage(text));
}

} // namespace platform
