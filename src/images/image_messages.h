#pragma once

#include <QString>

namespace images {

// The caption of the loader's message boxes: the application's title.
inline QString MessageCaption()
{
    return QStringLiteral("Genérateur de Tamvel");
}

} // namespace images
