#include "platform/font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace platform {

namespace {

QString InstalledFace(const QStringList &families, const QString &preferred, QFont::StyleHint hint,
                      const QString &generic)
{
    for (const QString &family : families) {
        if (family.compare(preferred, Qt::CaseInsensitive) == 0)
            return family;
    }
    // Let the font matcher name the face it uses for the generic family.
    QFont font(generic);
    font.setStyleHint(hint);
    return QFontInfo(font).family();
}

} // namespace

void RegisterFontSubstitutions()
{
    const QStringList families = QFontDatabase::families();
    QFont::insertSubstitution(
        QStringLiteral("TIME NEW ROMAN"),
        InstalledFace(families, QStringLiteral("Liberation Serif"), QFont::Serif, QStringLiteral("serif")));
    QFont::insertSubstitution(
        QStringLiteral("COURRIER NEW"),
        InstalledFace(families, QStringLiteral("Liberation Mono"), QFont::Monospace, QStringLiteral("monospace")));
}

} // namespace platform
