#pragma once

#include <QString>

namespace platform {

// The application's title: the caption of its message boxes and questions, the end of the
// window title, and the name under which the print preview keeps its own setting.
inline QString ApplicationTitle()
{
    return QStringLiteral("Genérateur de Tamvel");
}

} // namespace platform
