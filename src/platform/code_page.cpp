#include "platform/code_page.h"

#include "platform/text_encoding.h"

#include <QList>

namespace platform {

namespace {

char16_t DecodeByte(unsigned char byte)
{
    return Windows1252Character(byte);
}

char EncodeCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte) {
        if (Windows1252Character(static_cast<unsigned char>(byte)) == codePoint)
            return static_cast<char>(byte);
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
