#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

// Little-endian pieces of hand-made bitmap files.
inline void Append32(QByteArray &bytes, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        bytes.append(static_cast<char>(value >> (8 * k)));
}

inline void Append16(QByteArray &bytes, std::uint16_t value)
{
    bytes.append(static_cast<char>(value));
    bytes.append(static_cast<char>(value >> 8));
}

inline std::uint32_t Read32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 | std::uint32_t(b.at(at + 2)) << 16 |
           std::uint32_t(b.at(at + 3)) << 24;
}

// A BMP file with an info header: `bits` per pixel, `coloursUsed` as stored, a colour table of
// `tableEntries` grey entries and rows of `rowBytes` filled with `fill`.
inline QByteArray InfoBmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t coloursUsed,
                          int tableEntries, int rowBytes, int rows, char fill = 0)
{
    QByteArray dib;
    Append32(dib, 40);
    Append32(dib, static_cast<std::uint32_t>(width));
    Append32(dib, static_cast<std::uint32_t>(height));
    Append16(dib, 1);
    Append16(dib, bits);
    Append32(dib, 0);
    Append32(dib, 0);
    Append32(dib, 0);
    Append32(dib, 0);
    Append32(dib, coloursUsed);
    Append32(dib, 0);
    for (int i = 0; i < tableEntries; ++i)
        Append32(dib, static_cast<std::uint32_t>(i * 0x010101));
    dib.append(QByteArray(rowBytes * rows, fill));
    QByteArray file("BM");
    Append32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Append32(file, 0);
    Append32(file, static_cast<std::uint32_t>(14 + 40 + 4 * tableEntries));
    return file + dib;
}

// An info header with every field the checks look at.
inline QByteArray InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression = 0,
                             std::uint32_t coloursUsed = 0, std::uint16_t planes = 1)
{
    QByteArray dib;
    for (std::uint32_t value : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        Append32(dib, value);
    Append16(dib, planes);
    Append16(dib, bits);
    for (std::uint32_t value : {compression, 0u, 2835u, 2835u, coloursUsed, 0u})
        Append32(dib, value);
    return dib;
}

// A BMP file around a packed DIB; the bits offset is left 0, as the reader ignores it.
inline QByteArray BmpOf(const QByteArray &dib)
{
    QByteArray file("BM");
    Append32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Append32(file, 0);
    Append32(file, 0);
    return file + dib;
}

// Writes the bytes to `name` in the folder and returns the path.
inline QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
