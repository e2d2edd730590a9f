#include "images/press_colour.h"

#include "resources/build_info.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include <lcms2.h>

namespace press_colour {

namespace {

constexpr char kProfileName[] = "FOGRA39L.icc";
// Within this (on 0 to 1) of each other, red, green and blue make a grey.
constexpr double kNeutralSpread = 2.5 / 255;

// The two conversions through the press profile, made once; null without the profile, when a
// plain formula stands in. NOCACHE: a transform shared between threads must keep no state.
struct Transforms {
    cmsHTRANSFORM toRgb = nullptr;
    cmsHTRANSFORM toCmyk = nullptr;

    Transforms()
    {
        const QByteArray path = QFile::encodeName(ProfilePath());
        cmsHPROFILE press = cmsOpenProfileFromFile(path.constData(), "r");
        if (press == nullptr)
            return;
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        // PDF and the photo files count CMYK as ink (0 = none); lcms's 8-bit CMYK does too.
        toRgb = cmsCreateTransform(press, TYPE_CMYK_8, srgb, TYPE_BGRA_8, INTENT_RELATIVE_COLORIMETRIC,
                                   cmsFLAGS_NOCACHE | cmsFLAGS_BLACKPOINTCOMPENSATION);
        toCmyk = cmsCreateTransform(srgb, TYPE_RGB_8, press, TYPE_CMYK_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(press);
    }
    ~Transforms()
    {
        if (toRgb != nullptr)
            cmsDeleteTransform(toRgb);
        if (toCmyk != nullptr)
            cmsDeleteTransform(toCmyk);
    }
    Transforms(const Transforms &) = delete;
    Transforms &operator=(const Transforms &) = delete;
};

const Transforms &Shared()
{
    static const Transforms transforms;
    return transforms;
}

std::uint8_t Byte(double value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

} // namespace

QString ProfilePath(const QString &executablePath)
{
    const QDir folder = QFileInfo(executablePath).absoluteDir();
    const QString installed = QDir::cleanPath(
        folder.filePath(QLatin1String(resources::kInstalledDataDir) + QLatin1Char('/') + QLatin1String(kProfileName)));
    return QFileInfo::exists(installed) ? installed : folder.filePath(QLatin1String(kProfileName));
}

Inks InksOf(double r, double g, double b)
{
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    if (high - low <= kNeutralSpread)
        return {0, 0, 0, std::clamp(1.0 - (r + g + b) / 3, 0.0, 1.0)};
    const std::uint8_t rgb[3] = {Byte(r), Byte(g), Byte(b)};
    std::uint8_t cmyk[4];
    RgbToCmyk(rgb, cmyk, 1);
    return {cmyk[0] / 255.0, cmyk[1] / 255.0, cmyk[2] / 255.0, cmyk[3] / 255.0};
}

void CmykToRgb(const std::uint8_t *cmyk, std::uint32_t *rgb, std::size_t count)
{
    if (const cmsHTRANSFORM transform = Shared().toRgb) {
        cmsDoTransform(transform, cmyk, rgb, static_cast<cmsUInt32Number>(count));
        for (std::size_t i = 0; i < count; ++i)
            rgb[i] |= 0xff000000u;
        return;
    }
    for (std::size_t i = 0; i < count; ++i, cmyk += 4) {
        const int white = 255 - cmyk[3];
        const auto channel = [white](int ink) { return static_cast<std::uint32_t>((255 - ink) * white / 255); };
        rgb[i] = 0xff000000u | channel(cmyk[0]) << 16 | channel(cmyk[1]) << 8 | channel(cmyk[2]);
    }
}

void RgbToCmyk(const std::uint8_t *rgb, std::uint8_t *cmyk, std::size_t count)
{
    if (const cmsHTRANSFORM transform = Shared().toCmyk) {
        cmsDoTransform(transform, rgb, cmyk, static_cast<cmsUInt32Number>(count));
        return;
    }
    // Without the profile: black generation of the grey component, its colour removed.
    for (std::size_t i = 0; i < count; ++i, rgb += 3, cmyk += 4) {
        const int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
        for (int c = 0; c < 3; ++c)
            cmyk[c] = static_cast<std::uint8_t>(255 - rgb[c] - k);
        cmyk[3] = static_cast<std::uint8_t>(k);
    }
}

} // namespace press_colour
