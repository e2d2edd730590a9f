#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <cstdint>

// Colours as an offset press on coated paper prints them (FOGRA39): CMYK photos shown on screen,
// and the page's colours and photos turned into inks for the print shop. Safe from any thread.
namespace press_colour {

// The FOGRA39 profile built with the program: installed, in the program's data folder; in the
// build tree, beside the executable.
QString ProfilePath(const QString &executablePath = QCoreApplication::applicationFilePath());

// Ink amounts from 0 (none) to 1 (full).
struct Inks {
    double c = 0, m = 0, y = 0, k = 0;
};

// The inks of an RGB colour (0 to 1 each). A neutral tone is black ink alone, a tint of K, so
// that text, rules and greys print without colour fringes; a colour goes through the profile.
Inks InksOf(double r, double g, double b);

// `count` CMYK pixels (4 bytes, 0 = no ink) into 32-bit RGB pixels (0xffRRGGBB), as the press
// would print them.
void CmykToRgb(const std::uint8_t *cmyk, std::uint32_t *rgb, std::size_t count);

// `count` RGB pixels (3 bytes) into CMYK pixels (4 bytes, 0 = no ink) through the profile, whose
// tables keep the total ink within what the paper takes.
void RgbToCmyk(const std::uint8_t *rgb, std::uint8_t *cmyk, std::size_t count);

} // namespace press_colour
