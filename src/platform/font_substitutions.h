#pragma once

namespace platform {

// The layouts ask for the faces "TIME NEW ROMAN" and "COURRIER NEW" by those names. Makes them
// resolve to Liberation Serif (else the system's serif face) and Liberation Mono (else the
// system's monospace face). Needs a QGuiApplication; call once at start-up.
void RegisterFontSubstitutions();

} // namespace platform
