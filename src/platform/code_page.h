#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The 8-bit code page of a Western European Windows system (Windows-1252).
// A character the code page lacks becomes '?'.
QByteArray ToCodePage(const QString &text);
QString FromCodePage(const QByteArray &bytes);
QString FromCodePage(const char *bytes);

// What a text looks like after passing through the 8-bit code page and back.
QString ToCodePageAndBack(const QString &text);

} // namespace platform
