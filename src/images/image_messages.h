#pragma once

#include "platform/application_title.h"

#include <QString>

namespace images {

// The caption of the loader's message boxes: the application's title.
inline QString MessageCaption()
{
    return platform::ApplicationTitle();
}

} // namespace images
